#include "app/model_file.h"

#include <stdexcept>

#include "run_setup/output_sinks.h"
#include "compact/piece_graph.h"
#include "compact/written_model.h"
#include "model/program_lp_file.h"

namespace paralog {

void writeModelFile(OutputTarget& target, const std::string& path, const Structure& first, const Structure& second,
                    bool matchAll) {
  if (!compact::compactModelApplies(first, second)) {
    throw std::runtime_error(
        "--write-model: these genomes have no compact model (a genome lists a copy twice, or both genomes have "
        "the same id)");
  }
  const compact::WrittenModel model = compact::writtenModel(first, second, matchAll);
  OutputSinks sinks(target.fd(), target.displayName(), OutputFormat{true, namesGzipFile(path)});
  writeProgramLp(model.program, sinks.sink());
  sinks.finish();
}

}  // namespace paralog

#include "ilp/generate_program.h"

#include "ilp/gene_match_sum.h"
#include "ilp/generators.h"
#include "ilp/objective.h"
#include "lp/canonical_rows.h"
#include "lp/row_pipeline.h"

namespace paralog {

void generateProgram(RowSink& rows, const Structure& first, const Structure& second,
                     VariablesStorage& storage, const ProgressReport& progress,
                     const ProgramOptions& options) {
  progress("Calculating Z variables\n");
  generateZVariables(rows, first, second, storage);
  if (options.matchAll) generateMatchAllRows(rows, first, second, storage);
  progress("Calculating T variables\n");
  generateTVariables(rows, first, second, storage);
  progress("Calculating U variables\n");
  generateUVariables(rows, first, second, storage);
  progress("Calculating P variables\n");
  generatePVariables(rows, first, second, storage);
  progress("Calculating R variables\n");
  generateRVariables(rows, first, second, storage);
  progress("Calculating L variables\n");
  generateLVariables(rows, first, second, storage);
  progress("Calculating O variables\n");
  generateOVariables(rows, storage, first, second, firstGeneMatchSum);
  generateOVariables(rows, storage, second, first, secondGeneMatchSum);
}

void buildProgram(const Structure& first, const Structure& second, ProgramConsumer& consumer,
                  const ProgressReport& progress, RowThreads threads, LpFile file,
                  const ProgramOptions& options) {
  consumer.objective(Objective(first, second).terms());
  // The storage keeps the names that rows view, so it outlives the sinks.
  VariablesStorage storage(options.spelledTNames);
  if (threads == RowThreads::kSecondThread) {
    // The declarations follow the rows through the pipeline, so that this
    // thread renders them while the worker writes.
    RowPipeline pipeline(consumer);
    generateProgram(pipeline, first, second, storage, progress, options);
    if (file == LpFile::kWritten) progress("Writing ilp task to file...\n");
    storage.declareAll(pipeline);
    pipeline.drain();
  } else {
    CanonicalRows rows(consumer);
    generateProgram(rows, first, second, storage, progress, options);
    if (file == LpFile::kWritten) progress("Writing ilp task to file...\n");
    storage.declareAll(consumer);
  }
  consumer.end();
}

}  // namespace paralog

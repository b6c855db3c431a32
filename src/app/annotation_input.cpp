#include "app/annotation_input.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <utility>

#include "genome/annotated_genomes.h"
#include "genome/marked_genome_reader.h"
#include "genome/orthology_table.h"
#include "ilp/name_length_check.h"

namespace paralog {
namespace {

// Opens `path` for reading, refusing what cannot be read as a file.
std::ifstream openInput(const std::string& path) {
  struct stat status {};
  int error = 0;
  if (::stat(path.c_str(), &status) != 0) {
    error = errno;
  } else if (S_ISDIR(status.st_mode)) {
    error = EISDIR;
  }
  std::ifstream in;
  if (error == 0) {
    in.open(path, std::ios::binary);
    if (!in) error = errno != 0 ? errno : EACCES;
  }
  if (error != 0) {
    throw std::runtime_error("invalid input file provided: " + path + ": " + std::strerror(error));
  }
  return in;
}

}  // namespace

ProgramInput readAnnotationInput(const std::vector<std::string>& gffPaths,
                                 const std::string& orthologyPath, const GffChoices& choices) {
  std::vector<AnnotatedGenome> genomes;
  for (const std::string& path : gffPaths) {
    std::ifstream in = openInput(path);
    genomes.push_back(readGff(in, path, choices));
  }
  std::ifstream tableStream = openInput(orthologyPath);
  const OrthologyTable table = readOrthologyTable(tableStream, orthologyPath);
  StructuresRead read = structuresOfAnnotations(genomes, table);
  if (const std::optional<NameLengthFault> fault = findTooLongNames(read)) {
    throw std::runtime_error(gffPaths[fault->structure] + ":" + std::to_string(fault->line) + ": " +
                             genomeContext(fault->structure, read.structures[fault->structure].name) +
                             ": " + fault->message);
  }
  ProgramInput input;
  input.format = InputFormat::kGff;
  input.structures = std::move(read.structures);
  return input;
}

}  // namespace paralog

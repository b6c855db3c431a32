// libFuzzer target over the whole path from input text to LP text: reading,
// the checks between reading and generating, every generator and the
// writer, in memory. Input that is refused must be refused with a
// std::runtime_error whose message is one printable line; input that is
// accepted must give an LP file with every property of
// tests/property/lp_file_check.h (every line in canonical form among
// them), and the program's own way of writing it (rows made canonical and
// written on a second thread) must give the very same bytes. Anything else (a crash, a sanitizer
// report, another exception) is a finding.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <string_view>

#include "run_setup/output_target.h"
#include "app/program_file.h"
#include "genome/genome.h"
#include "support/lp_file_check.h"
#include "support/lp_text.h"

namespace {

// Inputs beyond this size are not tried: execution must stay small, and
// the reader's work is linear in the input anyway.
constexpr size_t kMaxInputSize = 4096;

// The LP text grows with the cube of the gene copies, and with the fourth
// power of the copies of one gene: 32 copies of one gene in each structure
// already give 50 MB. Inputs with more copies than this in a compared
// structure are read and checked, but not generated.
constexpr size_t kMaxGeneratedCopies = 16;

// Swallows the generators' progress lines.
class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// A private directory for the file the program writes, removed at exit.
std::string outputDirectory;
std::string outputPath;

void removeOutput() {
  ::unlink(outputPath.c_str());
  ::rmdir(outputDirectory.c_str());
}

size_t copyCount(const paralog::Structure& structure) {
  size_t count = 0;
  for (const paralog::Chromosome& chromosome : structure.chromosomes) {
    count += chromosome.genes.size();
  }
  return count;
}

[[noreturn]] void finding(const std::string& what) {
  std::cerr << "lp_fuzzer: " << what << std::endl;
  std::abort();
}

// The error line must stay one readable line whatever the input holds:
// printable ASCII only, and bounded (quoted items are cut, so a long input
// item cannot make a long message).
void checkErrorMessage(std::string_view message) {
  constexpr size_t kMaxMessageLength = 4096;
  if (message.empty()) finding("an error without a message");
  if (message.size() > kMaxMessageLength) {
    finding("an error message of " + std::to_string(message.size()) + " bytes");
  }
  for (const char c : message) {
    if (c < 0x20 || c > 0x7e) {
      finding("an error message with unprintable bytes: " + std::string(message));
    }
  }
}

std::string readOutput() {
  const int fd = ::open(outputPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) finding("the written LP file cannot be opened");
  std::string text;
  char chunk[1 << 16];
  ssize_t got;
  while ((got = ::read(fd, chunk, sizeof chunk)) > 0) text.append(chunk, static_cast<size_t>(got));
  ::close(fd);
  if (got < 0) finding("the written LP file cannot be read");
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static NullBuffer silence;
  std::cout.rdbuf(&silence);

  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/paralog-fuzz-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) finding("cannot make a directory for LP files");
  outputDirectory = pattern;
  outputPath = outputDirectory + "/out.lp";
  std::atexit(removeOutput);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInputSize) return -1;  // keeps such inputs out of the corpus
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  paralog::ProgramInput input;
  try {
    input = paralog::readProgramInput(text, "fuzz.txt");
  } catch (const std::runtime_error& error) {
    checkErrorMessage(error.what());
    return 0;
  }
  const paralog::Structure& first = input.structures[0];
  const paralog::Structure& second = input.structures[1];
  if (copyCount(first) > kMaxGeneratedCopies || copyCount(second) > kMaxGeneratedCopies) return 0;

  // Accepted input must generate without any error.
  const std::string lp = paralog::lpTextFromStructures(first, second);
  const std::string problem = paralog::testutil::lpFileProblem(lp);
  if (!problem.empty()) finding("the LP file breaks a property: " + problem);

  paralog::OutputTarget output(outputPath);
  paralog::writeProgramFile(output, {}, first, second, [](std::string_view) {});
  output.commit();
  if (readOutput() != lp) finding("the program's LP file differs from the one built in memory");
  return 0;
}

#include "app/run_files.h"

#include <sys/stat.h>

#include <optional>
#include <tuple>

namespace paralog {
namespace {

// What makes two paths one file: device, inode and, for a path that does
// not exist yet, its last component within that (directory) inode.
using FileIdentity = std::tuple<dev_t, ino_t, std::string>;

// The identity of `path`, none for standard output's "-" handled apart and
// for pipes, devices and sockets, which hold no content to destroy.
std::optional<FileIdentity> identityOf(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0) {
    if (!S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode)) return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino, std::string()};
  }
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return std::nullopt;
  const std::string directory = slash == 0 ? "/" : path.substr(0, slash);
  if (::stat(directory.c_str(), &status) != 0) return std::nullopt;
  return FileIdentity{status.st_dev, status.st_ino, path.substr(slash + 1)};
}

std::string describe(const RunFile& file) {
  return (file.path == "-" ? std::string("standard output") : file.path) + " (" + file.option + ")";
}

}  // namespace

std::vector<RunFile> filesOfRun(const RunParameters& parameters) {
  std::vector<RunFile> given;
  for (const FileOption& option : kFileOptions) {
    const std::string& path = parameters.*option.path;
    if (!path.empty()) given.push_back({std::string("--") + option.name, path, option.written});
  }
  for (size_t i = 1; i < parameters.inputPaths.size(); ++i) given.push_back({"--input", parameters.inputPaths[i], false});
  return given;
}

void refuseSharedFiles(const std::vector<RunFile>& files) {
  std::vector<std::optional<FileIdentity>> identities;
  for (const RunFile& file : files) {
    identities.push_back(file.path == "-" ? std::nullopt : identityOf(file.path));
  }
  for (size_t later = 0; later < files.size(); ++later) {
    for (size_t earlier = 0; earlier < later; ++earlier) {
      const RunFile& a = files[earlier];
      const RunFile& b = files[later];
      if (!a.written && !b.written) continue;
      const bool bothStandardOutput = a.path == "-" && b.path == "-";
      const bool sameFile = identities[earlier] && identities[later] &&
                            *identities[earlier] == *identities[later];
      if (bothStandardOutput || sameFile) {
        throw UsageError("the file " + describe(b) + " is the same as " + describe(a) +
                         "; nothing was written");
      }
    }
  }
}

}  // namespace paralog

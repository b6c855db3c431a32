#include "support/run_program.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace paralog::testutil {

const char* const kFullRunOutput =
    "Parsing params...\n"
    "Done\n"
    "Reading structures...\n"
    "Done\n"
    "Calculating Z variables\n"
    "Calculating T variables\n"
    "Calculating U variables\n"
    "Calculating P variables\n"
    "Calculating R variables\n"
    "Calculating L variables\n"
    "Calculating O variables\n"
    "Writing ilp task to file...\n"
    "Done\n";

namespace {

[[noreturn]] void systemFailure(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

// Reads both pipes until both are closed, so neither can fill up and block the child.
void drain(int outFd, int errFd, std::string& out, std::string& err) {
  pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  std::string* targets[2] = {&out, &err};
  int open = 2;
  char buffer[1 << 16];
  while (open > 0) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      systemFailure("poll");
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      } else {
        targets[i]->append(buffer, static_cast<size_t>(got));
      }
    }
  }
}

}  // namespace

ProgramRun runExecutable(const std::string& workingDirectory, const std::vector<std::string>& args,
                         const RunOptions& options) {
  const std::string executable = PARALOG_EXECUTABLE;
  std::vector<std::string> words;
  words.push_back(options.argv0.empty() ? executable : options.argv0);
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  int outPipe[2];
  int errPipe[2];
  if (::pipe2(outPipe, O_CLOEXEC) != 0) systemFailure("pipe");
  if (::pipe2(errPipe, O_CLOEXEC) != 0) systemFailure("pipe");
  const bool dropRoot = options.dropRoot && ::geteuid() == 0;

  const pid_t pid = ::fork();
  if (pid < 0) systemFailure("fork");
  if (pid == 0) {
    // Only async-signal-safe calls from here on.
    const int devNull = ::open("/dev/null", O_RDONLY);
    if (devNull < 0 || ::dup2(devNull, 0) < 0 || ::dup2(outPipe[1], 1) < 0 ||
        ::dup2(errPipe[1], 2) < 0) {
      ::_exit(126);
    }
    if (options.closeStdout) ::close(1);
    if (::chdir(workingDirectory.c_str()) != 0) ::_exit(126);
    if (options.umask) ::umask(*options.umask);
    if (options.fileSizeLimit) {
      const rlimit limit{*options.fileSizeLimit, *options.fileSizeLimit};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(126);
    }
    if (dropRoot) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
        ::_exit(126);
      }
    }
    ::execv(executable.c_str(), argv.data());
    ::_exit(127);
  }

  ::close(outPipe[1]);
  ::close(errPipe[1]);
  ProgramRun run;
  drain(outPipe[0], errPipe[0], run.out, run.err);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) systemFailure("waitpid");
  }
  if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
  return run;
}

TempDirectory::TempDirectory() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/paralog-test-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (::mkdtemp(name.data()) == nullptr) systemFailure("mkdtemp");
  path_ = name.data();
  // Readable by everyone, so that a child without root rights can work here.
  ::chmod(path_.c_str(), 0755);
}

TempDirectory::~TempDirectory() {
  namespace fs = std::filesystem;
  std::error_code error;
  ::chmod(path_.c_str(), 0700);
  for (auto it = fs::recursive_directory_iterator(path_, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_directory(error) && !it->is_symlink(error)) ::chmod(it->path().c_str(), 0700);
  }
  fs::remove_all(path_, error);
}

std::string TempDirectory::file(const std::string& name) const { return path_ + "/" + name; }

void TempDirectory::write(const std::string& name, const std::string& content) const {
  writeFile(file(name), content);
}

std::string TempDirectory::read(const std::string& name) const { return readFile(file(name)); }

bool TempDirectory::exists(const std::string& name) const {
  struct stat status {};
  return ::lstat(file(name).c_str(), &status) == 0;
}

std::vector<std::string> TempDirectory::entries() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ADD_FAILURE() << "cannot read " << path;
    return {};
  }
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  out.close();
  if (!out) ADD_FAILURE() << "cannot write " << path;
}

std::string sourcePath(const std::string& relative) {
  return std::string(PARALOG_SOURCE_DIR) + "/" + relative;
}

std::string missingProgram(const std::vector<std::string>& programs) {
  for (const std::string& program : programs) {
    const bool highs = program == "highs";
    const std::string check =
        highs ? "command -v node && test -d '" + sourcePath("tests/solvers/node_modules/highs") + "'"
              : "command -v '" + program + "'";
    if (runShell("/", check).exitStatus != 0) return program;
  }
  return "";
}

ShellRun runShell(const std::string& workingDirectory, const std::string& script) {
  std::string quoted = "'";
  for (char c : script) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  quoted += "'";
  const std::string command =
      "cd '" + workingDirectory + "' && bash -c " + quoted + " </dev/null 2>&1";
  ShellRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) systemFailure("popen");
  char buffer[4096];
  while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, got);
  const int status = ::pclose(pipe);
  if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
  return run;
}

}  // namespace paralog::testutil

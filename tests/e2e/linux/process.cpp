#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

// `log`: where the child's output goes ("" for nowhere); `output` and `errors`, when not -1, take
// its standard output and standard error instead.
pid_t spawn(const std::vector<std::string>& argv, const Env& env, const std::string& log,
            int output = -1, int errors = -1) {
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    setpgid(0, 0);
    // Ends with the test, even when the test process dies; `parent` is checked after the
    // request, in case it died before.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    for (const auto& [name, value] : env) {
      if (value.empty()) {
        unsetenv(name.c_str());
      } else {
        setenv(name.c_str(), value.c_str(), 1);
      }
    }
    const int out =
        open(log.empty() ? "/dev/null" : log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (out >= 0) {
      dup2(out, 1);
      dup2(out, 2);
    }
    if (output >= 0) dup2(output, 1);
    if (errors >= 0) dup2(errors, 2);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  return pid;
}

}  // namespace

Process::Process(const std::vector<std::string>& argv, const Env& env, const std::string& log)
    : pid_(spawn(argv, env, log)) {}

Process::~Process() {
  stop();
}

bool Process::running() {
  if (exited_) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == pid_) {
    exited_ = true;
    if (WIFEXITED(status)) exitStatus_ = WEXITSTATUS(status);
  }
  return !exited_;
}

std::chrono::milliseconds patience(std::chrono::milliseconds deadline) {
  static const bool sanitized = std::getenv("VORLIN_E2E_SANITIZED") != nullptr;
  return sanitized ? 4 * deadline : deadline;
}

bool Process::waitForExit(std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + patience(deadline);
  while (running()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

void Process::stop() {
  if (!running()) return;
  kill(pid_, SIGTERM);
  if (!waitForExit(std::chrono::seconds(3))) {
    kill(pid_, SIGKILL);
    waitForExit(std::chrono::seconds(3));
  }
}

void Process::signal(int number) const {
  if (!exited_) kill(pid_, number);
}

CommandResult runForResult(const std::vector<std::string>& argv, const Env& env) {
  int out[2];
  int err[2];
  if (pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  if (pipe2(err, O_CLOEXEC) != 0) {
    close(out[0]);
    close(out[1]);
    throw std::runtime_error("pipe failed");
  }
  const pid_t pid = spawn(argv, env, "", out[1], err[1]);
  close(out[1]);
  close(err[1]);
  // Both read as they come: a command that fills one pipe while the other is read would wait.
  CommandResult result;
  pollfd ends[] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* texts[] = {&result.output, &result.errors};
  for (int left = 2; left > 0;) {
    if (poll(ends, 2, -1) < 0 && errno != EINTR) break;
    for (int i = 0; i < 2; ++i) {
      if (ends[i].fd < 0 || ends[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = read(ends[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        texts[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        close(ends[i].fd);
        ends[i].fd = -1;
        --left;
      }
    }
  }
  for (const pollfd& end : ends) {
    if (end.fd >= 0) close(end.fd);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

int runCommand(const std::vector<std::string>& argv, const Env& env) {
  return runForResult(argv, env).status;
}

std::string commandOutput(const std::vector<std::string>& argv, const Env& env) {
  CommandResult result = runForResult(argv, env);
  return result.status == 0 ? std::move(result.output) : std::string();
}

std::vector<pid_t> childrenOf(pid_t pid) {
  std::vector<pid_t> children;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    // "pid (name) state ppid ...": the name may hold spaces and parentheses.
    const std::size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos || nameEnd + 4 >= line.size()) continue;
    if (std::atoi(line.c_str() + nameEnd + 4) == pid) children.push_back(std::atoi(line.c_str()));
  }
  return children;
}

}  // namespace e2e

#include "process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

// `log`: where the child's output goes ("" for nowhere); `output`, when not -1, takes its
// standard output instead.
pid_t spawn(const std::vector<std::string>& argv, const Env& env, const std::string& log,
            int output = -1) {
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

int runCommand(const std::vector<std::string>& argv, const Env& env) {
  const pid_t pid = spawn(argv, env, "");
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string commandOutput(const std::vector<std::string>& argv, const Env& env) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = spawn(argv, env, "", pipeFds[1]);
  close(pipeFds[1]);
  std::string out;
  char buffer[4096];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
    out.append(buffer, static_cast<std::size_t>(n));
  }
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return out;
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

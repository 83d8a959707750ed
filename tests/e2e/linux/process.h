// A child process for the end-to-end tests, ended when the object goes, and killed by the system
// should the test process die first.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

using Env = std::vector<std::pair<std::string, std::string>>;

class Process {
 public:
  // Starts `argv` with the environment extended by `env` (an empty value removes the variable).
  Process(const std::vector<std::string>& argv, const Env& env, const std::string& log = "");
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t pid() const { return pid_; }
  void signal(int number) const;
  bool running();
  // Waits for the process to end; true when it did within `deadline`.
  bool waitForExit(std::chrono::milliseconds deadline);
  // The exit status once the process has ended by itself; -1 otherwise.
  int exitStatus() const { return exitStatus_; }
  void stop();

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
  int exitStatus_ = -1;
};

// How long to wait for what the program does: `deadline`, or four times it for the program built
// with the sanitizers (VORLIN_E2E_SANITIZED set), which runs several times slower.
std::chrono::milliseconds patience(std::chrono::milliseconds deadline);

// Runs a command to its end; answers its exit status.
int runCommand(const std::vector<std::string>& argv, const Env& env);

// How a command that was run to its end ended, and what it wrote.
struct CommandResult {
  int status = -1;  // its exit status; -1 when a signal ended it
  std::string output;
  std::string errors;  // its standard error
};
CommandResult runForResult(const std::vector<std::string>& argv, const Env& env);
// Runs a command to its end; answers what it wrote to standard output if it succeeded (status 0),
// else nothing: a caller that waits for an answer takes a failure for not yet.
std::string commandOutput(const std::vector<std::string>& argv, const Env& env);

// The processes whose parent is `pid`.
std::vector<pid_t> childrenOf(pid_t pid);

}  // namespace e2e

#include "runtime/qt/own_process.h"

#include <fcntl.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <string_view>

extern char** environ;

namespace vorlin::qt {
namespace {

// Reaps the process whenever it ends, so that none is left a zombie; it never signals the
// process, whose number may be another's once reaped.
void* reap(void* process) {
  const auto pid = static_cast<pid_t>(reinterpret_cast<std::intptr_t>(process));
  while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
  }
  return nullptr;
}

// The started process begins with no signal blocked and the end signals at their defaults,
// whatever the program's own handling of them.
struct SpawnAttributes {
  posix_spawnattr_t attributes{};
  bool made = false;
  SpawnAttributes() {
    if (posix_spawnattr_init(&attributes) != 0) return;
    made = true;
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int s : {SIGTERM, SIGINT, SIGHUP, SIGPIPE}) sigaddset(&defaults, s);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~SpawnAttributes() {
    if (made) posix_spawnattr_destroy(&attributes);
  }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;
};

struct FileActions {
  posix_spawn_file_actions_t actions{};
  bool made = false;
  FileActions(int channel, bool answers) {
    made = posix_spawn_file_actions_init(&actions) == 0;
    if (!made) return;
    posix_spawn_file_actions_adddup2(&actions, channel, STDIN_FILENO);
    if (answers) posix_spawn_file_actions_adddup2(&actions, channel, STDOUT_FILENO);
  }
  ~FileActions() {
    if (made) posix_spawn_file_actions_destroy(&actions);
  }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;
};

struct SocketPair {
  std::array<int, 2> ends{-1, -1};  // the program's, the process's; both closed on exec
  SocketPair() {
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends.data()) != 0) ends = {-1, -1};
  }
  ~SocketPair() {
    for (const int end : ends) {
      if (end >= 0) close(end);
    }
  }
  SocketPair(const SocketPair&) = delete;
  SocketPair& operator=(const SocketPair&) = delete;
  int takeProgramsEnd() {
    const int end = ends[0];
    ends[0] = -1;
    return end;
  }
};

// The program's own executable by its file's name, under which the report's process is listed;
// by the process's own link where that file is gone (replaced by an upgrade, say).
struct OwnExecutable {
  std::array<char, 4096> path{};
  OwnExecutable() {
    constexpr std::string_view kSelf = "/proc/self/exe";
    constexpr std::string_view kGone = " (deleted)";
    const ssize_t length = readlink(kSelf.data(), path.data(), path.size() - 1);
    const std::string_view read(path.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
    if (read.empty() || read.size() == path.size() - 1 || read.front() != '/' ||
        (read.size() >= kGone.size() && read.substr(read.size() - kGone.size()) == kGone)) {
      path.fill('\0');
      kSelf.copy(path.data(), kSelf.size());
    }
  }
};

}  // namespace

std::unique_ptr<OwnProcess> OwnProcess::start(const char* argument, bool answers) {
  SocketPair socket;
  if (socket.ends[0] < 0 || fcntl(socket.ends[0], F_SETFL, O_NONBLOCK) != 0) return nullptr;
  SpawnAttributes attributes;
  FileActions actions(socket.ends[1], answers);
  if (!attributes.made || !actions.made) return nullptr;
  char program[] = "vorlin";
  char* arguments[] = {program, const_cast<char*>(argument), nullptr};
  pid_t process = 0;
  const OwnExecutable executable;
  if (posix_spawn(&process, executable.path.data(), &actions.actions, &attributes.attributes,
                  arguments, environ) != 0) {
    return nullptr;
  }
  pthread_attr_t threadAttributes;
  bool reaped = false;
  if (pthread_attr_init(&threadAttributes) == 0) {
    pthread_attr_setdetachstate(&threadAttributes, PTHREAD_CREATE_DETACHED);
    pthread_t reaper;
    reaped = pthread_create(&reaper, &threadAttributes, reap,
                            reinterpret_cast<void*>(static_cast<std::intptr_t>(process))) == 0;
    pthread_attr_destroy(&threadAttributes);
  }
  return std::unique_ptr<OwnProcess>(new OwnProcess(process, socket.takeProgramsEnd(), reaped));
}

OwnProcess::OwnProcess(pid_t process, int channel, bool reaped)
    : process_(process), channel_(channel), reaped_(reaped) {}

OwnProcess::~OwnProcess() {
  close(channel_);
  // With no thread to reap it, an ended process is reaped here; one still ending is left to the
  // system when the program ends.
  if (!reaped_) waitpid(process_, nullptr, WNOHANG);
}

bool OwnProcess::send(std::string_view message) const {
  // Each message is a record of its own, taken whole or not at all; an ended process is no
  // signal.
  ssize_t sent = -1;
  do {
    sent = ::send(channel_, message.data(), message.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  } while (sent < 0 && errno == EINTR);
  return sent == static_cast<ssize_t>(message.size());
}

}  // namespace vorlin::qt

// A process of the program's own: the program started again to show one window (a report's box,
// the properties dialog), so that the fonts, text layout and pictures of a window that may stay
// on the screen for hours, or that is opened once in a while, cost the waiting program nothing.
// Its standard input is one end of a socket whose other end only the program holds: the process
// ends when the program lets it go, and also when the program ends in any way, killed or crashed,
// so no window of it outlives the program. A process that answers has the same socket as its
// standard output. The socket keeps each message a record of its own, whole.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string_view>

namespace vorlin::qt {

class OwnProcess {
 public:
  // Starts the program's own executable with `argument`; null when it could not start.
  // `answers`: the process writes to the program on its standard output.
  static std::unique_ptr<OwnProcess> start(const char* argument, bool answers = false);
  ~OwnProcess();  // lets the process go
  OwnProcess(const OwnProcess&) = delete;
  OwnProcess& operator=(const OwnProcess&) = delete;

  // The program's end of the socket: non-blocking, closed on exec.
  int channel() const { return channel_; }
  // Writes `message` whole, or nothing where the process cannot take it now (it ended, or
  // stopped reading): never waits for the process. Answers whether it was written.
  bool send(std::string_view message) const;

 private:
  OwnProcess(pid_t process, int channel, bool reaped);

  pid_t process_;
  int channel_;
  bool reaped_;  // a thread of its own waits for the process's end and reaps it
};

}  // namespace vorlin::qt

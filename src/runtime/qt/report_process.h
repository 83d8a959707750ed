// A report shown by a process of its own: the program started again to show one message box. The
// process ends when the user closes the box, or when its owner lets it go; its standard input is
// a pipe whose other end only the owner holds, so it also ends when the program ends in any way,
// killed or crashed, and no report outlives the program. A report that may stay on the screen
// for hours so costs the waiting program none of a message box's fonts, text layout and pictures.
#pragma once

#include <sys/types.h>

#include <memory>

namespace vorlin::qt {

class ReportProcess {
 public:
  // Starts the program's own executable with `argument`; null when it could not start.
  static std::unique_ptr<ReportProcess> start(const char* argument);
  ~ReportProcess();  // the report goes
  ReportProcess(const ReportProcess&) = delete;
  ReportProcess& operator=(const ReportProcess&) = delete;

 private:
  ReportProcess(pid_t process, int pipeEnd, bool reaped);

  pid_t process_;
  int pipeEnd_;  // the write end, never written: closing it ends the process
  bool reaped_;  // a thread of its own waits for the process's end and reaps it
};

}  // namespace vorlin::qt

// The process that draws a form's window for the program (remote_window.h): the program started
// again with the form's argument. It shows the window as the program tells it, tells the program
// of its clicks and of a close through its frame, and ends when the program lets it go.
#pragma once

#include "runtime/form_desc.h"

namespace vorlin::qt {

int runWindowProcess(const FormDesc& desc);

}  // namespace vorlin::qt

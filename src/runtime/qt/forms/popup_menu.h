// A menu of a form description opened as a popup at the pointer.
#pragma once

#include "runtime/form_desc.h"

namespace vorlin::qt {

// Runs the menu `menu` of `desc` until an item is chosen with the left button or the menu is
// dismissed; answers the chosen item's control id, or kNone.
int runPopupMenu(const FormDesc& desc, int menu, int flags);

}  // namespace vorlin::qt

// Where the controls of a window go, in twips.
#pragma once

#include "runtime/form_desc.h"

namespace vorlin::win32 {

// Option and command buttons have windows of their own.
bool isWindowControl(ControlKind kind);

// The width a control's window gets: a control that reaches over a neighbour on its right stops
// where the neighbour begins, so that neither paints over the other (the options of the left
// column reach 375 twips into the right one).
int unobstructedWidth(const FormDesc& form, const ControlDesc& control);

}  // namespace vorlin::win32

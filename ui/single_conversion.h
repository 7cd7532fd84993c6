// The conversion of the one number typed into the window.
#pragma once

#include "ui/window_port.h"

namespace ui {

// Converts the text of Text3 in the selected output style and replaces the
// text of Text4 with the result, which is empty when the number cannot be
// converted.
void convertSingle(WindowPort& window);

}  // namespace ui

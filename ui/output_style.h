// The output style the window has selected, as the engine's Lens.
#pragma once

#include <cstdint>

#include "ui/window_port.h"

namespace ui {

// 13 (the ISBN-13 style) when Option1 is selected, otherwise 10 (the ISBN-10
// style). Read at the moment of each conversion, never kept.
inline std::int32_t selectedLens(const WindowPort& window) {
  return window.option1Selected() ? 13 : 10;
}

}  // namespace ui

#include "ui/single_conversion.h"

#include <string>

#include "engine/isbn.h"
#include "ui/output_style.h"

namespace ui {

void convertSingle(WindowPort& window) {
  const std::string number = window.text(TextBox::Text3);
  window.setText(TextBox::Text4, engine::Convert(number, selectedLens(window)));
}

}  // namespace ui

// The batch conversion of a list file: the two file choosers and the run.
#pragma once

#include <string>

#include "ui/list_file/code_page.h"
#include "ui/window_port.h"

namespace ui {

class ListFileReader;

class BatchConversion {
 public:
  explicit BatchConversion(WindowPort& window, CodePage codePage = CodePage::fromLocale());

  // Asks for the input list file and puts its path into Text1; a cancelled
  // dialog leaves Text1 as it was.
  void chooseInputFile();
  // Asks for the output list file and puts its path into Text2; a cancelled
  // dialog leaves Text2 as it was. The file is neither created nor emptied.
  void chooseOutputFile();

  // Converts the list file named in Text1, appending one line per record to
  // the file named in Text2, and closes with a message. The window is yielded
  // to after every record; a click that would start a second run meanwhile
  // returns at once, doing nothing.
  void run();
  bool running() const { return running_; }

 private:
  // Converts every record of input; throws on any failure.
  void convertRecords(ListFileReader& input, const std::string& outputPath);

  WindowPort& window_;
  CodePage codePage_;
  bool running_ = false;
};

}  // namespace ui

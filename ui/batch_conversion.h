// The batch conversion of a list file: the two file choosers and the run.
#pragma once

#include <cstdint>
#include <string>

#include "ui/list_file/code_page.h"
#include "ui/list_records.h"
#include "ui/pass_pacer.h"
#include "ui/window_port.h"

namespace ui {

class ListFileAppender;
class ListFileReader;

class BatchConversion {
 public:
  // pacer paces the run's passes to the window; tests give one of their own.
  explicit BatchConversion(WindowPort& window, CodePage codePage = CodePage::system(),
                           PassPacer pacer = PassPacer());

  // Asks for the input list file and puts its path into Text1; a cancelled
  // dialog leaves Text1 as it was.
  void chooseInputFile();
  // Asks for the output list file and puts its path into Text2; a cancelled
  // dialog leaves Text2 as it was. The file is neither created nor emptied.
  void chooseOutputFile();

  // Converts the list file named in Text1, appending one line per record to
  // the file named in Text2, and closes with a message. After a record the
  // window gets a pass, unless its last one ended less than a millisecond
  // ago; before every pass the records converted so far are in the file and
  // Label2 counts them. The message comes once the file's records are on the
  // device, where a power cut keeps them; a failure to put them there fails
  // the run. A click that would start a second run meanwhile returns at once,
  // doing nothing.
  void run();
  bool running() const { return running_; }

 private:
  // Converts every record of input; throws on any failure.
  void convertRecords(ListFileReader& input, ListFileAppender& output);
  // Shows in Label2 how many records the file holds, when that has changed.
  void showWritten(ListFileAppender& output);

  WindowPort& window_;
  ListRecords records_;
  PassPacer pacer_;
  bool running_ = false;
  std::int64_t shownCount_ = 0;
};

}  // namespace ui

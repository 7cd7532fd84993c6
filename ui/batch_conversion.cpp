#include "ui/batch_conversion.h"

#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/list_file/list_file_appender.h"
#include "ui/list_file/list_file_reader.h"
#include "ui/list_file/system_file.h"
#include "ui/output_style.h"

namespace ui {
namespace {

const std::vector<FileFilter> kListFileFilters = {{"(*.txt)", "*.txt"}, {"All Files", "*.*"}};
constexpr char kMessageTitle[] = "温馨提示";
constexpr char kCompletedText[] = "恭喜，Ledora转换完成！";
constexpr char kFailedText[] = "对不起，出现意外错误，请检查数据！";

std::string progressCaption(std::int64_t records) {
  return "已处理：" + std::to_string(records) + "条！";
}

// Clears the running flag however the run ends.
class RunningScope {
 public:
  explicit RunningScope(bool& running) : running_(running) { running_ = true; }
  ~RunningScope() { running_ = false; }
  RunningScope(const RunningScope&) = delete;
  RunningScope& operator=(const RunningScope&) = delete;

 private:
  bool& running_;
};

}  // namespace

BatchConversion::BatchConversion(WindowPort& window, CodePage codePage, PassPacer pacer)
    : window_(window), records_(std::move(codePage)), pacer_(std::move(pacer)) {}

void BatchConversion::chooseInputFile() {
  const std::string path = window_.openFileDialog("选择ISBN文件", kListFileFilters, "");
  if (!path.empty()) window_.setText(TextBox::Text1, path);
}

void BatchConversion::chooseOutputFile() {
  const std::string path = window_.saveFileDialog("保存ISBN文件", kListFileFilters, "");
  if (!path.empty()) window_.setText(TextBox::Text2, path);
}

void BatchConversion::run() {
  // The window stays usable while a run yields to it, so a second click of
  // the start button arrives inside the run.
  if (running_) return;
  const RunningScope scope(running_);

  const std::string inputPath = window_.text(TextBox::Text1);
  const std::string outputPath = window_.text(TextBox::Text2);
  if (inputPath.empty() || outputPath.empty()) return;

  // An input path that names no file is a failure, not an empty list.
  if (!isListFile(inputPath)) {
    window_.messageBox(kFailedText, kMessageTitle, MessageIcon::Error);
    return;
  }
  window_.setLabel2Visible(true);
  shownCount_ = 0;
  try {
    ListFileReader input(inputPath);
    ListFileAppender output(outputPath, input.identity());
    try {
      convertRecords(input, output);
      output.close();
    } catch (...) {
      // Whatever failed, the records converted before it go to the file, and
      // the whole ones it keeps onto the device.
      try {
        output.flush();
      } catch (const std::exception&) {
      }
      try {
        output.sync();
      } catch (const std::exception&) {
      }
      showWritten(output);
      throw;
    }
    showWritten(output);
  } catch (const std::exception&) {
    window_.messageBox(kFailedText, kMessageTitle, MessageIcon::Error);
    return;
  }
  window_.messageBox(kCompletedText, kMessageTitle, MessageIcon::Information);
}

void BatchConversion::convertRecords(ListFileReader& input, ListFileAppender& output) {
  pacer_.start();
  while (const std::optional<std::string_view> line = input.nextLine()) {
    const std::optional<std::string_view> record = records_.recordOf(*line, selectedLens(window_));
    if (!record) continue;
    output.add(*record);
    if (!pacer_.due(line->size())) continue;

    // The records are with the system before the window runs: a program that
    // ends in this pass loses nothing it has counted.
    output.flush();
    showWritten(output);
    window_.yield();
    pacer_.passed();
  }
}

void BatchConversion::showWritten(ListFileAppender& output) {
  // A run without records leaves the caption of the one before.
  if (output.written() == shownCount_) return;
  shownCount_ = output.written();
  window_.setLabel2Caption(progressCaption(shownCount_));
}

}  // namespace ui

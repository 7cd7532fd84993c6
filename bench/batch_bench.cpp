// The cost of a whole batch run per record, beside a bare loop that only
// opens the output for appending, writes one line and closes it again: the
// system calls every record of a run needs at least.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ui/batch_conversion.h"

namespace {

// What list files hold: barcodes, hyphenated ISBN-10 and ISBN-13 with spaces,
// numbers of the Chinese-language groups and of others, and junk, including a
// book title in GBK and lines too short to be records.
constexpr std::array<std::string_view, 16> kLines = {
    "9787111123457",
    "7-111-12345-X",
    " 978-7-04-012345-6 ",
    "9789574312344",
    "957-2001-23-X",
    "\t9789628501236",
    "0-306-40615-2",
    "978-7-80012-345-0  ",
    "ISBN 978-7-111",
    "711112345",
    "978 7 111 12345 3",
    "",
    "12345",
    "\xCF\xD6\xB4\xFA\xBA\xBA\xD3\xEF\xB4\xCA\xB5\xE4",  // 现代汉语词典
    "9789886001233",
    "7-900123-45-8",
};

class BenchFolder {
 public:
  BenchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "morvane-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
  }
  ~BenchFolder() { std::filesystem::remove_all(root_); }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

  std::string path(const char* name) const { return (root_ / name).string(); }

 private:
  std::filesystem::path root_;
};

// Writes a list of the given number of lines, streamed so that the benchmark
// holds none of it in memory.
void writeList(const std::string& path, std::int64_t lines) {
  std::ofstream list(path, std::ios::binary);
  for (std::int64_t i = 0; i < lines; ++i) list << kLines[i % kLines.size()] << "\r\n";
}

class IdleWindow : public ui::WindowPort {
 public:
  IdleWindow(std::string input, std::string output)
      : input_(std::move(input)), output_(std::move(output)) {}
  std::string text(ui::TextBox box) const override {
    return box == ui::TextBox::Text1 ? input_ : box == ui::TextBox::Text2 ? output_ : "";
  }
  void setText(ui::TextBox, const std::string&) override {}
  bool option1Selected() const override { return true; }
  void setLabel2Visible(bool) override {}
  void setLabel2Caption(const std::string& caption) override { lastCaption = caption; }
  std::string openFileDialog(const std::string&, const std::vector<ui::FileFilter>&,
                             const std::string&) override {
    return "";
  }
  std::string saveFileDialog(const std::string&, const std::vector<ui::FileFilter>&,
                             const std::string&) override {
    return "";
  }
  void messageBox(const std::string&, const std::string&, ui::MessageIcon) override {}
  void yield() override {}

  std::string lastCaption;

 private:
  std::string input_;
  std::string output_;
};

std::int64_t recordsIn(std::int64_t lines) {
  std::int64_t records = 0;
  for (std::int64_t i = 0; i < lines; ++i) records += kLines[i % kLines.size()].size() > 5;
  return records;
}

void reportPerRecord(benchmark::State& state, std::int64_t records) {
  state.counters["per_record"] =
      benchmark::Counter(static_cast<double>(records * state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BatchRun(benchmark::State& state) {
  BenchFolder folder;
  const std::string output = folder.path("out.txt");
  writeList(folder.path("in.txt"), state.range(0));
  IdleWindow window(folder.path("in.txt"), output);
  ui::BatchConversion batch(window, ui::CodePage("GBK"));
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(output);
    state.ResumeTiming();
    batch.run();
  }
  const std::int64_t records = recordsIn(state.range(0));
  if (window.lastCaption != "已处理：" + std::to_string(records) + "条！") {
    state.SkipWithError("the run did not write every record");
  }
  reportPerRecord(state, records);
}

void AppendLoop(benchmark::State& state) {
  BenchFolder folder;
  const std::string output = folder.path("out.txt");
  const std::int64_t records = recordsIn(state.range(0));
  constexpr std::string_view kRecord = "978-7-111-12345-3\r\n";
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(output);
    state.ResumeTiming();
    for (std::int64_t i = 0; i < records; ++i) {
      const int fd = open(output.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
      if (fd < 0 || write(fd, kRecord.data(), kRecord.size()) < 0 || close(fd) != 0) {
        state.SkipWithError("append failed");
        return;
      }
    }
  }
  reportPerRecord(state, records);
}

BENCHMARK(BatchRun)->Arg(1000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(AppendLoop)->Arg(1000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// The cost of a whole batch run per record with a window that does nothing,
// beside the loops it is measured against: an open, write and close per
// record, one write per record, and reading, converting and writing in 64 KiB
// blocks. The peak memory is the process's: run one benchmark at a time
// (--benchmark_filter) to read it for one list.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>

#include "bench/list_loops.h"
#include "ui/batch_conversion.h"

namespace {

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
  void messageBox(const std::string& text, const std::string&, ui::MessageIcon) override {
    lastMessage = text;
  }
  void yield() override {}

  std::string lastCaption;
  std::string lastMessage;

 private:
  std::string input_;
  std::string output_;
};

void report(benchmark::State& state, std::int64_t records) {
  state.counters["records_per_s"] = benchmark::Counter(
      static_cast<double>(records * state.iterations()), benchmark::Counter::kIsRate);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Times body on a fresh output, once per iteration, for a list of range(0) lines.
void timeOnList(benchmark::State& state, const std::function<bool(const BenchFolder&)>& body) {
  BenchFolder folder;
  bench::writeList(folder.path("in.txt"), state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(folder.path("out.txt"));
    state.ResumeTiming();
    if (!body(folder)) state.SkipWithError("the loop failed");
  }
  report(state, bench::recordsIn(state.range(0)));
}

void BatchRun(benchmark::State& state) {
  const std::string expected =
      "已处理：" + std::to_string(bench::recordsIn(state.range(0))) + "条！";
  timeOnList(state, [&](const BenchFolder& folder) {
    IdleWindow window(folder.path("in.txt"), folder.path("out.txt"));
    ui::BatchConversion batch(window, ui::CodePage("GBK"));
    batch.run();
    return window.lastCaption == expected;
  });
}

void OpenWriteClosePerRecord(benchmark::State& state) {
  timeOnList(state, [&](const BenchFolder& folder) {
    return bench::openWriteClosePerRecord(folder.path("out.txt"), bench::recordsIn(state.range(0)));
  });
}

void WritePerRecord(benchmark::State& state) {
  timeOnList(state, [&](const BenchFolder& folder) {
    return bench::writePerRecord(folder.path("out.txt"), bench::recordsIn(state.range(0)));
  });
}

void ReadConvertWrite(benchmark::State& state) {
  timeOnList(state, [&](const BenchFolder& folder) {
    return bench::readConvertWrite(folder.path("in.txt"), folder.path("out.txt")) ==
           bench::recordsIn(state.range(0));
  });
}

// A file of range(0) MiB with no line ending: the run must stop at the line
// limit with the error message, in bounded memory.
void BatchRunOneLongLine(benchmark::State& state) {
  BenchFolder folder;
  {
    std::ofstream list(folder.path("in.txt"), std::ios::binary);
    const std::string mebibyte(1024 * 1024, '7');
    for (std::int64_t i = 0; i < state.range(0); ++i) list << mebibyte;
  }
  for (auto _ : state) {
    IdleWindow window(folder.path("in.txt"), folder.path("out.txt"));
    ui::BatchConversion batch(window, ui::CodePage("GBK"));
    batch.run();
    if (window.lastMessage != "对不起，出现意外错误，请检查数据！") {
      state.SkipWithError("the run did not stop at the line limit");
    }
  }
  report(state, 0);
}

BENCHMARK(BatchRun)->Arg(1000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenWriteClosePerRecord)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(WritePerRecord)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadConvertWrite)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BatchRunOneLongLine)->Arg(300)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

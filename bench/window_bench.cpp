// A batch run of a 1,000,000-line list through the real window, with the sync
// that puts its output on the disk before the completion message and without
// it, beside the loops it is measured against, in the same run: an open, write
// and close per record, one write per record, and reading, converting and
// writing in 64 KiB blocks with no window at all. The files are in the system's
// temp folder, which must be on the disk for the sync to cost what it does.
// Run it on an X server: tools/display/with_xvfb.sh build/<preset>/bench/window_bench
// MORVANE_BENCH_LIST names another list to time the window on instead (as
// bench/web_bench.js does, to compare the browser page with the window).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <string>

#include "bench/list_loops.h"
#include "ui/list_file/system_file.h"
#include "ui/qt/convert_form.h"

namespace {

constexpr std::int64_t kLines = 1'000'000;

// The list MORVANE_BENCH_LIST names, or nullptr.
const char* givenList() {
  return std::getenv("MORVANE_BENCH_LIST");
}

// Times body once on a fresh list and output in a private folder.
void timeOnList(benchmark::State& state,
                const std::function<bool(const std::string&, const std::string&)>& body) {
  const QTemporaryDir folder;
  const std::string input = givenList() ? givenList() : folder.filePath("in.txt").toStdString();
  const std::string output = folder.filePath("out.txt").toStdString();
  if (!givenList()) bench::writeList(input, kLines);
  for (auto _ : state) {
    if (!body(input, output)) state.SkipWithError("the loop failed");
  }
  state.counters["records_per_s"] =
      benchmark::Counter(double(bench::recordsIn(kLines)), benchmark::Counter::kIsRate);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = double(usage.ru_maxrss) / 1024.0;
}

// Converts input into output through the form, answering the completion
// message as soon as it shows.
void runThrough(ui::ConvertForm& form, const std::string& input, const std::string& output) {
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
  });
  answer.start(0);
  form.findChild<QLineEdit*>("Text1")->setText(QString::fromStdString(input));
  form.findChild<QLineEdit*>("Text2")->setText(QString::fromStdString(output));
  form.findChild<QPushButton*>("Command3")->click();
}

// The window is made and shown, and a one-line run has shown the completion
// message once (the first message box of a program loads its fonts), before
// the clock starts: what is timed is the run. With sync:0 the output is not
// synced, which shows what the sync costs: some milliseconds, less than a run
// varies by on a busy machine, and the first run of a process is colder, so
// compare them with --benchmark_repetitions=5
// --benchmark_enable_random_interleaving=true.
void WindowRun(benchmark::State& state) {
  if (state.range(0) == 0) ui::OutputFile::syncHook = [] { return std::error_code(); };
  ui::ConvertForm form;
  form.show();
  const QTemporaryDir warmUp;
  const std::string warmUpList = warmUp.filePath("in.txt").toStdString();
  bench::writeList(warmUpList, 1);
  runThrough(form, warmUpList, warmUp.filePath("out.txt").toStdString());
  timeOnList(state, [&](const std::string& input, const std::string& output) {
    runThrough(form, input, output);
    const QString label2 = form.findChild<QLabel*>("Label2")->text();
    if (givenList()) {
      state.counters["records"] = label2.mid(4, label2.size() - 6).toDouble();
      return true;
    }
    return label2 == QStringLiteral("已处理：%1条！").arg(bench::recordsIn(kLines));
  });
  ui::OutputFile::syncHook = nullptr;
}

void OpenWriteClosePerRecord(benchmark::State& state) {
  timeOnList(state, [](const std::string&, const std::string& output) {
    return bench::openWriteClosePerRecord(output, bench::recordsIn(kLines));
  });
}

void WritePerRecord(benchmark::State& state) {
  timeOnList(state, [](const std::string&, const std::string& output) {
    return bench::writePerRecord(output, bench::recordsIn(kLines));
  });
}

void ReadConvertWrite(benchmark::State& state) {
  timeOnList(state, [](const std::string& input, const std::string& output) {
    return bench::readConvertWrite(input, output) == bench::recordsIn(kLines);
  });
}

BENCHMARK(WindowRun)
    ->ArgName("sync")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(OpenWriteClosePerRecord)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(WritePerRecord)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadConvertWrite)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
#if MORVANE_BENCHMARK_SHUTDOWN
  benchmark::Shutdown();
#endif
}

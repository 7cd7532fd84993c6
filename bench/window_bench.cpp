// A batch run through the real window, beside a bare loop that only opens the
// output for appending, writes one line and closes it again, in the same run.
// Run it on an X server: scripts/with_xvfb.sh build/<preset>/bench/window_bench
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <array>
#include <fstream>
#include <string>
#include <string_view>

#include "ui/qt/convert_form.h"

namespace {

constexpr std::array<std::string_view, 4> kLines = {"9787111123457", "7-111-12345-X",
                                                    " 978-7-04-012345-6 ", "9789574312344"};

std::string writeList(const QTemporaryDir& folder, std::int64_t lines) {
  const std::string path = folder.filePath("in.txt").toStdString();
  std::ofstream list(path, std::ios::binary);
  for (std::int64_t i = 0; i < lines; ++i) list << kLines[std::size_t(i) % kLines.size()] << "\r\n";
  return path;
}

void reportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = double(usage.ru_maxrss) / 1024.0;
}

void PlainLoop(benchmark::State& state) {
  const std::int64_t records = state.range(0);
  const QTemporaryDir folder;
  const std::string output = folder.filePath("out.txt").toStdString();
  for (auto _ : state) {
    for (std::int64_t i = 0; i < records; ++i) {
      const int fd = open(output.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
      const std::string line = std::string(kLines[std::size_t(i) % kLines.size()]) + "\r\n";
      if (write(fd, line.data(), line.size()) != ssize_t(line.size())) state.SkipWithError("write");
      close(fd);
    }
  }
  state.counters["records_per_s"] =
      benchmark::Counter(double(records), benchmark::Counter::kIsRate);
  reportPeakMemory(state);
}

void WindowRun(benchmark::State& state) {
  const std::int64_t records = state.range(0);
  const QTemporaryDir folder;
  ui::ConvertForm form;
  form.show();
  form.findChild<QLineEdit*>("Text1")->setText(QString::fromStdString(writeList(folder, records)));
  form.findChild<QLineEdit*>("Text2")->setText(folder.filePath("out.txt"));
  QTimer answer;  // closes the completion message
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
  });
  answer.start(20);
  for (auto _ : state) form.findChild<QPushButton*>("Command3")->click();
  const QString expected = QStringLiteral("已处理：%1条！").arg(records);
  if (form.findChild<QLabel*>("Label2")->text() != expected) state.SkipWithError("wrong count");
  state.counters["records_per_s"] =
      benchmark::Counter(double(records), benchmark::Counter::kIsRate);
  reportPeakMemory(state);
  form.hide();
}

BENCHMARK(PlainLoop)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(WindowRun)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}

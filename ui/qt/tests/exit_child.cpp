// Runs a batch in a real window and, from inside the run's yield, asks to
// close and answers Yes. Prints the count the progress label showed at that
// moment; the process is expected to end right there.
//
// Usage: exit_child INPUT OUTPUT
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "ui/qt/convert_form.h"
#include "ui/qt/tests/message_box_answerer.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 3) return 2;
  ui::ConvertForm form;
  form.show();
  form.findChild<QLineEdit*>("Text1")->setText(QString::fromLocal8Bit(argv[1]));
  form.findChild<QLineEdit*>("Text2")->setText(QString::fromLocal8Bit(argv[2]));
  auto* label2 = form.findChild<QLabel*>("Label2");

  MessageBoxAnswerer answerer({QStringLiteral("是(&Y)")});
  answerer.onShown([&](QMessageBox&) {
    std::printf("records counted: %s\n", qPrintable(label2->text().mid(4).chopped(2)));
    std::fflush(stdout);
  });
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (label2->text().startsWith(QStringLiteral("已处理：1"))) {
      closer.stop();
      form.close();
    }
  });
  closer.start(0);
  form.findChild<QPushButton*>("Command3")->click();
  std::printf("the run went on after Yes\n");
  return 1;
}

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "core/Resources.h"
#include "editor/DialogAlertSink.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Quabe"));
  QApplication::setApplicationName(QStringLiteral("Quabe"));
  quabe::Resources::registerDefaults();
  static quabe::DialogAlertSink dialogs;
  quabe::setAlertSink(&dialogs);

  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Quabe"));
  window.setCentralWidget(new QLabel(QStringLiteral("Quabe")));
  window.resize(900, 700);
  window.show();
  return QApplication::exec();
}

#include <QApplication>
#include <QFileInfo>
#include <QStringList>

#include "core/Localization.h"
#include "editor/DialogAlertSink.h"
#include "editor/app/DocumentController.h"

// Starts the editor: every command-line argument that names a file opens as
// a document in its own window; without one an empty document opens.
// Closing the last window quits.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Quabe"));
  QApplication::setApplicationName(QStringLiteral("Quabe"));
  QApplication::setQuitOnLastWindowClosed(true);
  static quabe::DialogAlertSink dialogs;
  quabe::setAlertSink(&dialogs);

  quabe::DocumentController& controller = quabe::DocumentController::shared();
  if (!controller.start()) return 1;

  QStringList files;
  const QStringList arguments = QApplication::arguments().mid(1);
  for (const QString& argument : arguments)
    if (!argument.startsWith(QLatin1Char('-')) && QFileInfo(argument).isFile()) files << argument;
  if (controller.openDocuments(files).isEmpty()) controller.newDocument();
  return QApplication::exec();
}

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include "core/Localization.h"
#include "editor/DialogAlertSink.h"
#include "editor/app/DocumentController.h"

// Starts the editor: every command-line argument names a file that opens as
// a document in its own window (a file that cannot be read is reported);
// when none opens, an empty document does.
// Closing the last window quits.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Quabe"));
  QApplication::setApplicationName(QStringLiteral("Quabe"));
  QApplication::setQuitOnLastWindowClosed(true);
  // Qt's own texts (file dialogs, standard buttons) in the interface language.
  const QLocale locale(quabe::Localization::language() == QLatin1String("ja") ? QLocale::Japanese : QLocale::English);
  QLocale::setDefault(locale);
  QTranslator qtTexts;
  if (qtTexts.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);
  static quabe::DialogAlertSink dialogs;
  quabe::setAlertSink(&dialogs);

  // The one document controller; every window it opens is handed it.
  quabe::DocumentController controller;
  if (!controller.start()) return 1;
  controller.installDictionaryCommands();

  QStringList files;
  const QStringList arguments = QApplication::arguments().mid(1);
  for (const QString& argument : arguments)
    if (!argument.startsWith(QLatin1Char('-'))) files << argument;
  if (controller.openDocuments(files).isEmpty()) controller.newDocument();
  return QApplication::exec();
}

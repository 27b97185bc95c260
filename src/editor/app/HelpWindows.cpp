#include "editor/app/HelpWindows.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QSettings>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "BuildPaths.h"
#include "core/Alerts.h"
#include "core/Localization.h"
#include "core/Resources.h"

namespace quabe::HelpWindows {

namespace {

// The place in the manual where the list of keys goes.
const QString KeyListMark = QStringLiteral("<!-- key list -->");

QWidget* raised(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace

QString plainText(const QAction* action) {
  // The icon text is the menu text unless a command names its submenu too.
  QString text = action->iconText();
  text.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
  return text.remove(QLatin1Char('&')).remove(QStringLiteral("…"));
}

QString keysText(const QAction* action) {
  QStringList keys;
  for (const QKeySequence& key : action->shortcuts()) keys << key.toString(QKeySequence::NativeText);
  return keys.join(QStringLiteral(", "));
}

QString manualHtml(const QString& manualTemplate, const QList<QAction*>& actions) {
  QString rows;
  for (const QAction* action : actions) {
    if (action->shortcuts().isEmpty()) continue;
    rows += QStringLiteral("<tr><td><kbd>%1</kbd></td><td>%2</td></tr>\n")
                .arg(keysText(action).toHtmlEscaped().replace(QStringLiteral(", "), QStringLiteral("</kbd>, <kbd>")),
                     plainText(action).toHtmlEscaped());
  }
  const QString table = QStringLiteral("<table>\n<tr><th>%1</th><th>%2</th></tr>\n%3</table>")
                            .arg(loc("ShortcutKeys").toHtmlEscaped(), loc("ShortcutCommand").toHtmlEscaped(), rows);
  QString html = manualTemplate;
  return html.replace(KeyListMark, table);
}

QWidget* showManual(QWidget* parent, const QList<QAction*>& actions) {
  static QPointer<QTextBrowser> window;
  const QString path = Resources::path(QStringLiteral("manual.html"));
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
    alerts().alert(loc("ManualMissing"), path.isEmpty() ? QStringLiteral("manual.html") : file.errorString());
    return nullptr;
  }
  if (!window) {
    window = new QTextBrowser;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("helpWindow"));
    window->setOpenExternalLinks(true);
    window->resize(760, 820);
  }
  window->setWindowTitle(loc("MenuManual").remove(QLatin1Char('&')).remove(QStringLiteral("…")));
  window->setSearchPaths({QFileInfo(path).absolutePath()});
  window->setHtml(manualHtml(QString::fromUtf8(file.readAll()), actions));
  Q_UNUSED(parent);
  return raised(window);
}

QWidget* showKeyboardShortcuts(QWidget* parent, const QList<QAction*>& actions) {
  auto* dialog = new QDialog(parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setObjectName(QStringLiteral("keyboardShortcuts"));
  dialog->setWindowTitle(loc("MenuKeyboardShortcuts").remove(QLatin1Char('&')).remove(QStringLiteral("…")));
  auto* layout = new QVBoxLayout(dialog);
  auto* filter = new QLineEdit;
  filter->setObjectName(QStringLiteral("shortcutFilter"));
  filter->setPlaceholderText(loc("ShortcutSearch"));
  filter->setClearButtonEnabled(true);
  auto* list = new QTreeWidget;
  list->setObjectName(QStringLiteral("shortcutList"));
  list->setRootIsDecorated(false);
  list->setHeaderLabels({loc("ShortcutCommand"), loc("ShortcutKeys")});
  for (const QAction* action : actions) {
    auto* item = new QTreeWidgetItem(list, {plainText(action), keysText(action)});
    item->setToolTip(0, action->statusTip());
  }
  list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  layout->addWidget(filter);
  layout->addWidget(list, 1);
  // Matches the command's text or its keys, whatever the case.
  QObject::connect(filter, &QLineEdit::textChanged, list, [list](const QString& text) {
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      QTreeWidgetItem* item = list->topLevelItem(i);
      item->setHidden(!item->text(0).contains(text, Qt::CaseInsensitive) &&
                      !item->text(1).contains(text, Qt::CaseInsensitive));
    }
  });
  dialog->resize(560, 640);
  filter->setFocus();
  return raised(dialog);
}

void showAbout(QWidget* parent, const QString& dictionaryPath) {
  const QString fontLicence = Resources::path(QStringLiteral("SuttonSignWriting-LICENSE.txt"));
  QStringList paths;
  // The folder the symbol archive was taken from: the resources in use.
  const QString archive = Resources::path(QStringLiteral("iswa2010bin"));
  const QString resources =
      archive.isEmpty() ? Resources::searchDirectories().join(QStringLiteral(", ")) : QFileInfo(archive).absolutePath();
  paths << loc("AboutResources").arg(QDir::toNativeSeparators(resources));
  paths << loc("AboutDictionary").arg(QDir::toNativeSeparators(dictionaryPath));
  paths << loc("AboutSettings").arg(QDir::toNativeSeparators(QSettings().fileName()));
  QString html =
      QStringLiteral("<h3>Quabe %1</h3><p>%2</p><p>%3</p><p>%4</p><ul><li>%5</li></ul>")
          .arg(QStringLiteral(QUABE_VERSION), loc("AboutText").toHtmlEscaped(), loc("AboutLicences").toHtmlEscaped(),
               fontLicence.isEmpty()
                   ? QString()
                   : QStringLiteral("<a href=\"%1\">%2</a>")
                         .arg(QUrl::fromLocalFile(fontLicence).toString(), QFileInfo(fontLicence).fileName()),
               paths.join(QStringLiteral("</li><li>"))
                   .toHtmlEscaped()
                   .replace(QStringLiteral("&lt;/li&gt;&lt;li&gt;"), QStringLiteral("</li><li>")));
  QMessageBox::about(parent, loc("MenuAbout").remove(QLatin1Char('&')).remove(QStringLiteral("…")), html);
}

}  // namespace quabe::HelpWindows

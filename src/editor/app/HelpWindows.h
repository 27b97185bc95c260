#pragma once

#include <QList>
#include <QPointer>
#include <QString>

class QAction;
class QTextBrowser;
class QWidget;

namespace quabe {

// The Help menu's windows. They need no browser: the manual is shown by
// the program itself, and its list of keys is made from the actions, so it
// always names the keys the menus use.
namespace HelpWindows {

// Help ▸ Manual: the bundled manual in the caller's help window, made when
// it has none and raised when open. Returns the window, or nullptr (after an
// alert) when the manual is missing.
QWidget* showManual(QPointer<QTextBrowser>& window, const QList<QAction*>& actions);
// Help ▸ Keyboard Shortcuts: the actions and their keys, with a search field.
QWidget* showKeyboardShortcuts(QWidget* parent, const QList<QAction*>& actions);
// Help ▸ About Quabe: version, licences and the data in use.
void showAbout(QWidget* parent, const QString& dictionaryPath);

// The manual's HTML with its key list made from the actions.
QString manualHtml(const QString& manualTemplate, const QList<QAction*>& actions);
// An action's text without mnemonic marks and its keys as the menus show them.
QString plainText(const QAction* action);
QString keysText(const QAction* action);

}  // namespace HelpWindows

}  // namespace quabe

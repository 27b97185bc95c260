#include "editor/ToolWindowKeys.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace quabe {

void closeOnEscape(QWidget* window) {
  auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, window, [window] { window->close(); });
}

}  // namespace quabe

#include "editor/DialogAlertSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "core/Localization.h"

namespace quabe {

void DialogAlertSink::alert(const QString& message, const QString& informative) {
  QMessageBox box(QApplication::activeWindow());
  box.setIcon(QMessageBox::Warning);
  box.setText(message);
  box.setInformativeText(informative);
  box.addButton(loc("OK"), QMessageBox::AcceptRole);
  box.exec();
}

int DialogAlertSink::ask(const QString& message, const QString& informative, const QStringList& buttons,
                         int defaultButton) {
  QMessageBox box(QApplication::activeWindow());
  box.setIcon(QMessageBox::Question);
  box.setText(message);
  box.setInformativeText(informative);
  QList<QAbstractButton*> added;
  for (int i = 0; i < buttons.size(); ++i) {
    QPushButton* b = box.addButton(buttons[i], QMessageBox::ActionRole);
    if (i == defaultButton) box.setDefaultButton(b);
    added << b;
  }
  box.exec();
  const int chosen = int(added.indexOf(box.clickedButton()));
  return chosen < 0 ? defaultButton : chosen;
}

}  // namespace quabe

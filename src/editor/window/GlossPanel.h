#pragma once

#include <QDialog>
#include <optional>
#include <utility>

class QLineEdit;

namespace quabe {

// The modal panel of Sign ▸ Edit Gloss…: the gloss and the reading of the
// current sign. OK accepts both texts; Cancel (or Escape) changes nothing.
class GlossPanel : public QDialog {
  Q_OBJECT
 public:
  explicit GlossPanel(QWidget* parent = nullptr);

  QLineEdit* glossField() const { return m_gloss; }
  QLineEdit* readingField() const { return m_reading; }

  // Runs the panel preset with gloss and reading; the edited pair on OK.
  std::optional<std::pair<QString, QString>> run(const QString& gloss, const QString& reading);

 private:
  QLineEdit* m_gloss;
  QLineEdit* m_reading;
};

}  // namespace quabe

#pragma once

#include <QStringList>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quabe {

class Compound;
class Dictionary;

// The compound entry editor: stores a compound sign (a sequence of existing
// dictionary entries) as a dictionary entry of its own, with gloss, reading,
// tag, meanings and comment, its constituents written in order.
class CompoundWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int SignBoxWidth = 150;
  static constexpr int SignBoxHeight = 150;
  static constexpr int SignBoxSep = 8;

  explicit CompoundWindow(Dictionary& dictionary, QWidget* parent = nullptr);
  ~CompoundWindow() override;

  // Takes the compound to edit (its entry record and constituent ids) and
  // fills the window.
  void setCompound(const std::shared_ptr<Compound>& compound);
  const std::shared_ptr<Compound>& targetCompound() const { return m_targetCompound; }

  // The store flow: the questions, the write, closing on success. True when
  // the compound was stored.
  bool okButtonClicked();
  void cancelButtonClicked();

  // The meanings of the text: its pieces between new lines, tabs, spaces,
  // ideographic spaces, commas, full stops and semicolons (ASCII, fullwidth
  // and ideographic); an empty text gives the gloss (none without a gloss).
  static QStringList meaningsFromText(const QString& text, const QString& gloss);

  QLabel* imageView(int index) const { return m_imageViews.value(index); }
  QLineEdit* glossTextField() const { return m_glossTextField; }
  QLineEdit* yomiTextField() const { return m_yomiTextField; }
  QLineEdit* tagTextField() const { return m_tagTextField; }
  QPlainTextEdit* meaningsTextView() const { return m_meaningsTextView; }
  QPlainTextEdit* commentTextView() const { return m_commentTextView; }
  QPushButton* okButton() const { return m_okButton; }
  QPushButton* cancelButton() const { return m_cancelButton; }

 private:
  void fill();
  bool askYesNo(const QString& message);
  bool store(bool update);

  Dictionary& m_dictionary;
  std::shared_ptr<Compound> m_targetCompound;
  QList<QLabel*> m_imageViews;
  QLineEdit* m_glossTextField = nullptr;
  QLineEdit* m_yomiTextField = nullptr;
  QLineEdit* m_tagTextField = nullptr;
  QPlainTextEdit* m_meaningsTextView = nullptr;
  QPlainTextEdit* m_commentTextView = nullptr;
  QPushButton* m_okButton = nullptr;
  QPushButton* m_cancelButton = nullptr;
};

}  // namespace quabe

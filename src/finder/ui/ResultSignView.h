#pragma once

#include <QWidget>

#include "finder/SignFinder.h"

namespace quabe {

// One hit of the similar-sign search as a card: the entry's gloss at the
// top, the sign in the middle, and below it how similar it is and its entry
// number ("93.5 % similar", "Entry 12"), with a note when the hit is the
// mirror image of the sign searched for. A click selects the card, a double
// click asks for the entry to be inserted.
class ResultSignView : public QWidget {
  Q_OBJECT
 public:
  static constexpr int ViewWidth = 150;
  static constexpr int ViewHeight = 150;
  static constexpr int Spacing = 12;

  explicit ResultSignView(SFResult result, QWidget* parent = nullptr);

  const SFResult& searchResult() const { return m_searchResult; }
  QString similarityText() const;
  QString entryText() const;
  bool isSelected() const { return m_selected; }
  void setSelected(bool selected);

 Q_SIGNALS:
  void clicked();
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  SFResult m_searchResult;
  bool m_selected = false;
};

}  // namespace quabe

#pragma once

#include <QWidget>

#include "finder/SignFinder.h"

namespace quabe {

// One hit of the similar-sign search: the entry's gloss at the top, the
// sign in the middle and "similarity (#id) rank" at the bottom. A click
// asks for the entry to be inserted into the document.
class ResultSignView : public QWidget {
  Q_OBJECT
 public:
  static constexpr int ViewWidth = 150;
  static constexpr int ViewHeight = 150;
  static constexpr int Spacing = 12;

  explicit ResultSignView(SFResult result, QWidget* parent = nullptr);

  const SFResult& searchResult() const { return m_searchResult; }
  // "0.838 (#12) 1"
  QString scoreText() const;

 Q_SIGNALS:
  void clicked(qint64 signID);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  SFResult m_searchResult;
};

}  // namespace quabe

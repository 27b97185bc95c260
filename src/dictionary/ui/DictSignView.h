#pragma once

#include <QPointF>
#include <QWidget>

#include "document/Sign.h"

namespace quabe {

// The sign being edited in the dictionary entry editor, drawn at its symbols'
// positions. Pressing on a symbol selects it, dragging moves it, and a symbol
// dragged from a palette is added where it is dropped.
class DictSignView : public QWidget {
  Q_OBJECT
 public:
  static constexpr int SymbolBoxSize = 46;

  explicit DictSignView(QWidget* parent = nullptr);

  void setSign(const SignPtr& sign);
  const SignPtr& sign() const { return m_sign; }
  int selectedSymbolIndex() const { return m_selectedSymbolIndex; }
  void setSelectedSymbolIndex(int index);
  // The topmost symbol whose rectangle holds the point, or -1.
  int symbolAt(const QPointF& point) const;
  // Moves the selected symbol by (dx, dy), keeping its corner inside the view.
  void moveSelectedSymbol(qreal dx, qreal dy);

 Q_SIGNALS:
  void symbolPressed(int index);
  // A selected symbol was moved by dragging.
  void symbolMoved();
  // A symbol code in text form was dropped at a point of the view.
  void symbolDropped(const QString& text, const QPointF& point);
  // The Delete key was pressed with a symbol selected.
  void deleteRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  SignPtr m_sign;
  int m_selectedSymbolIndex = -1;
  bool m_dragging = false;
  QPointF m_lastPoint;
};

}  // namespace quabe

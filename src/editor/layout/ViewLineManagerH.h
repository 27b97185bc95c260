#pragma once

#include "editor/layout/ViewLineManager.h"

namespace quabe {

// The layout of horizontal writing: a view line is a row, signs run from
// left to right and rows follow each other from top to bottom.
class ViewLineManagerH : public ViewLineManager {
 public:
  using ViewLineManager::ViewLineManager;

  bool isVertical() const override { return false; }

  qreal leftMargin() const override;
  qreal rightMargin() const override;
  qreal topMargin() const override;
  qreal bottomMargin() const override;
  qreal maxSignWidth() const override;
  qreal maxSignHeight() const override;

  qreal signLength(const Sign& sign) const override;
  qreal signBreadth(const Sign& sign) const override;
  qreal lineWidth(qint64 line) const override;
  qreal lineHeight(qint64 line) const override;

  void cursorUp(int mode) override;
  void cursorDown(int mode) override;
  void cursorLeft(int mode) override;
  void cursorRight(int mode) override;
  void cursorFarLeft() override;
  void cursorFarRight() override;
  void cursorFarUp() override;
  void cursorFarDown() override;

 protected:
  qreal canvasLength() const override { return canvasWidth; }
  qreal alongOf(const QPointF& p) const override { return p.x(); }
  qreal acrossOf(const QPointF& p) const override { return p.y(); }
  QRectF makeRect(Span along, Span across) const override;
  Span lineAcross(const ViewLineInfo& line) const override { return {line.top, line.height}; }
  void setLineAcross(ViewLineInfo& line, Span across) const override;
  qreal justifiedSignSpace(qreal position, qint64 count) const override;
};

}  // namespace quabe

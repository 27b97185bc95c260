#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QList>
#include <memory>

#include "common/TestSupport.h"
#include "document/Clipboards.h"
#include "document/Sign.h"
#include "document/SymbolSelection.h"
#include "symbols/SymbolArchive.h"

namespace quabe::test {

// A placeholder symbol (no code) with the given rectangle: enough for the
// geometry and selection operations, which only look at rectangles.
inline ISWAPtr boxSymbol(qreal x, qreal y, qreal w, qreal h) {
  auto symbol = std::make_shared<ISWA>();
  symbol->rect = QRectF(x, y, w, h);
  return symbol;
}

// A real symbol from the archive at (x, y); nullptr when the archive lacks it.
inline ISWAPtr placedSymbol(const QString& code, qreal x, qreal y, Hand hand = Hand::none) {
  std::optional<ISWA> made = ISWA::make(code, hand);
  if (!made) return nullptr;
  auto symbol = std::make_shared<ISWA>(std::move(*made));
  symbol->rect.moveTopLeft(QPointF(x, y));
  return symbol;
}

inline SignPtr signWith(const QList<ISWAPtr>& symbols) {
  auto sign = std::make_shared<Sign>();
  sign->symbols = symbols;
  sign->updateBounds();
  return sign;
}

inline QList<ISWA*> identities(const QList<ISWAPtr>& symbols) {
  QList<ISWA*> result;
  for (const ISWAPtr& s : symbols) result.append(s.get());
  return result;
}

// Records what the core puts on the system pasteboard.
class RecordingPasteboard : public ImagePasteboard {
 public:
  void putImage(const QImage& image) override { images.append(image); }
  QList<QImage> images;
};

// Every test has its own selection and starts and ends with empty clipboards.
class SelectionFixture : public ::testing::Test {
 protected:
  void SetUp() override { Clipboards::shared().reset(); }
  void TearDown() override {
    Clipboards::shared().reset();
    Clipboards::shared().setPasteboard(nullptr);
  }
  Clipboards& clipboards() { return Clipboards::shared(); }
  void select(std::initializer_list<ISWAPtr> symbols) {
    sel.clear();
    for (const ISWAPtr& symbol : symbols) sel.add(symbol);
  }
  SymbolSelection sel;
};

// Tests that need real symbol images; skipped when the archive is not built.
class ArchiveFixture : public SelectionFixture {
 protected:
  void SetUp() override {
    SelectionFixture::SetUp();
    QUABE_REQUIRE_ARCHIVE();
  }
  // A symbol the test relies on; fails the test when the archive lacks it
  // (and goes on with a placeholder box, so that the test does not crash).
  ISWAPtr require(const QString& code, qreal x = 0, qreal y = 0) {
    ISWAPtr symbol = placedSymbol(code, x, y);
    EXPECT_TRUE(symbol) << "archive lacks " << code.toStdString();
    return symbol ? symbol : boxSymbol(x, y, 10, 10);
  }
};

}  // namespace quabe::test

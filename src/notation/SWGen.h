#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "notation/NotationDiagnostics.h"
#include "notation/SWSign.h"
#include "notation/TextSplitter.h"

namespace quabe {

class Dictionary;

// What a conversion produced: one sign per notation item, in text order
// (a word without an entry gives an empty sign carrying its gloss), and
// every problem found, in text order.
struct NotationConversion {
  QList<SignPtr> signs;
  std::vector<NotationDiagnostic> diagnostics;
  QStringList unknownWords;  // each once, in text order

  // False when the line does not follow the notation: the signs then do not
  // say what was written and must not be used.
  bool isReadable() const;
};

// Turns a line of sign notation into signs built from the entries of a
// dictionary and inflected as the notation asks.
class SWGen {
 public:
  explicit SWGen(const Dictionary& dictionary) : m_dictionary(dictionary) {}

  // The signs for the notation text; empty when it holds no item.
  QList<SignPtr> signsFromjjsText(const QString& text) const;
  // The signs with the problems found on the way.
  NotationConversion convert(const QString& text) const;

  // One sign under construction per item.
  static std::vector<SWSign> swSignsFromJSigns(const std::vector<JSign>& items);

 private:
  // Runs every generation step over the signs, each step over all signs
  // before the next one.
  QList<SignPtr> generate(std::vector<SWSign>& signs, NotationConversion& conversion) const;

  const Dictionary& m_dictionary;
};

}  // namespace quabe

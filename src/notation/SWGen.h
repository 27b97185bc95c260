#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "notation/SWSign.h"
#include "notation/TextSplitter.h"

namespace quabe {

class Dictionary;

// What a conversion produced: one sign per notation item, in text order, and
// the converter's diagnostics (missing brackets, glosses without an entry,
// inflections that could not be applied).
struct NotationConversion {
  QList<SignPtr> signs;
  QStringList diagnostics;
  QStringList unknownGlosses;  // glosses no dictionary entry was found for
};

// Turns a line of sign notation into signs built from the entries of a
// dictionary and inflected as the notation asks.
class SWGen {
 public:
  explicit SWGen(const Dictionary& dictionary) : m_dictionary(dictionary) {}

  // The signs for the notation text; empty when it holds no item.
  QList<SignPtr> signsFromjjsText(const QString& text) const;
  // The same, with the diagnostics the conversion reported.
  NotationConversion convert(const QString& text) const;

  // One sign under construction per item.
  static std::vector<SWSign> swSignsFromJSigns(const std::vector<JSign>& items);
  // Runs every generation step over the signs, each step over all signs
  // before the next one.
  QList<SignPtr> generate(std::vector<SWSign>& signs) const;

 private:
  const Dictionary& m_dictionary;
};

}  // namespace quabe

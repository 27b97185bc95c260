#pragma once

#include <QString>
#include <initializer_list>
#include <vector>

#include "document/BufferManager.h"
#include "document/DbSign.h"
#include "document/Preferences.h"
#include "document/SwmlEvents.h"

namespace quabe::test {

struct SymbolSpec {
  const char* code;
  double x;
  double y;
};

struct SignSpec {
  SignSpec() = default;
  SignSpec(QString gloss, QString yomi = {}, int lane = 0, std::vector<SymbolSpec> symbols = {}, QString comment = {})
      : gloss(std::move(gloss)),
        yomi(std::move(yomi)),
        lane(lane),
        symbols(std::move(symbols)),
        comment(std::move(comment)) {}

  QString gloss;  // the written gloss (a trailing circled digit becomes the tag)
  QString yomi;
  int lane = 0;
  std::vector<SymbolSpec> symbols;
  QString comment;
};

// A sign with the symbols placed exactly at the given positions (no
// shifting), the gloss split into gloss and tag as the dictionary does.
SignPtr makeSign(const SignSpec& spec);
// A buffer of the given lines; every line gets its line-break sign.
BufferManager makeBuffer(const std::vector<std::vector<SignSpec>>& lines);
// Fixed preferences, independent of the user settings.
Preferences fixedPreferences(bool vertical = false);

// A text dump of what the file format keeps: per line, per sign the lane,
// gloss, tag, reading, the symbols it shows (codes with rounded positions;
// a compound's as the writing direction places them) and comment.
QString describe(const BufferManager& buffer, bool vertical = false);
QString describe(const Sign& sign, bool vertical = false);

// Reads SWML bytes into a buffer and preferences and completes the reading
// as a document does.
SwmlReadReport readSwml(const QByteArray& bytes, BufferManager& buffer, Preferences& prefs);

// True when every line ends with an empty sign.
bool everyLineTerminated(const BufferManager& buffer);

QString testDataPath(const QString& relative);
QByteArray readTestData(const QString& relative);

}  // namespace quabe::test

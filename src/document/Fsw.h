#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

#include "document/BufferManager.h"
#include "document/Preferences.h"
#include "document/Sign.h"

namespace quabe {

// Formal SignWriting (FSW) and SignWriting in Unicode (SWU): the text forms in
// which signs travel between SignWriting programs. A sign is an optional sort
// prefix ("A" and symbol keys), a box marker (B, or the lanes L, M, R) with
// the box's lower-right corner, then every symbol's key and top-left corner,
// in coordinates 250-749 centred on 500:
//   AS14c20S27106M518x529S14c20481x471S27106503x489
// SWU writes the same structure with one character per marker, number and
// key. A punctuation symbol may also stand alone with its position
// ("S38800464x496"). Texts separate signs by spaces and lines by line feeds.

// Interchange coordinates.
inline constexpr int FswMinCoordinate = 250;
inline constexpr int FswMaxCoordinate = 749;
inline constexpr int FswCentre = 500;

// One symbol as written: its key number (0x14c20 for S14c20) and position.
struct FswSymbol {
  int key = 0;
  int x = FswCentre;
  int y = FswCentre;
  bool operator==(const FswSymbol&) const = default;
};

// One sign exactly as written (sort prefix included), so that a sign read
// in one form is written back unchanged in either form.
struct FswSign {
  bool hasSortPrefix = false;
  QList<int> sortKeys;
  char box = 'M';  // 'B', 'L', 'M', 'R'; 0 for a punctuation symbol standing alone
  int maxX = FswCentre;
  int maxY = FswCentre;
  QList<FswSymbol> symbols;
  bool operator==(const FswSign&) const = default;

  // L -1, R 1, otherwise 0.
  int lane() const;
  // Smallest position of the symbols (the centre without symbols).
  int minX() const;
  int minY() const;

  QString fsw() const;
  QString swu() const;
  void appendFsw(QString& out) const;
  void appendSwu(QString& out) const;

  // Exactly one sign in FSW or SWU; white space around it is ignored.
  static std::optional<FswSign> parse(QStringView text);
  // The sign (FSW or SWU) that starts at pos; on success pos is moved past it.
  static std::optional<FswSign> parseAt(QStringView text, qsizetype& pos);
};

// Signs and documents to and from FSW or SWU text. What the text cannot
// carry is reported, never changed in silence: symbols outside ISWA 2010
// are left out, coordinates outside 250-749 are clamped, each with a
// problem line naming the sign.
class Fsw {
 public:
  enum class Form { fsw, swu };

  // One sign: the box centred on 500, the lane as L/M/R, the sort prefix
  // listing the symbols in their order. A sign without symbols is the empty
  // box "M500x500".
  static FswSign fromSign(const Sign& sign, QStringList* problems = nullptr);
  // A sign of symbols at positions of a sign box (keys with positions): the
  // box, width x height from the smallest positions on, centred on 500.
  // Positions that fall outside 250-749 are clamped, with a problem line.
  static FswSign place(char box, QList<FswSymbol> symbols, int width, int height, QStringList* problems = nullptr);
  // Signs separated by spaces, lines by line feeds (none after the last).
  static QString writeLines(const QList<QList<SignPtr>>& lines, Form form, QStringList* problems = nullptr);
  // One text line per line of the buffer, each ended by a line feed; the
  // line-break signs are not written. Glosses and comments have no place in
  // the text and are left out.
  static QString writeDocument(const BufferManager& buffer, Form form, QStringList* problems = nullptr);

  // A new sign with the written symbols, their box at (0, 0), and the lane.
  static SignPtr toSign(const FswSign& sign, QStringList* problems = nullptr);

  struct Reading {
    QList<QList<SignPtr>> lines;  // one list per text line, in order
    int signCount = 0;
    QStringList problems;
  };
  // Every sign of a text in FSW or SWU, line by line. Words that are not
  // signs (prose around them) are passed over.
  static Reading read(QStringView text);
  // The lines of a reading become the buffer's lines: every sign centred in
  // the sign box of the preferences, every line ended by its line break.
  static void fillBuffer(const Reading& reading, BufferManager& buffer, const Preferences& prefs);

  // Whether a file holds a text of signs rather than an SWML document: by
  // its extension (.fsw, .swu, .txt), else by its first character not
  // being "<".
  static bool isSignTextFile(const QString& path);
  // Reads a text file of signs (UTF-8). Nothing, with the reason, when the
  // file cannot be read.
  static std::optional<Reading> readFile(const QString& path, QString* error = nullptr);
  // Writes the document's text atomically (UTF-8): the file is replaced only
  // once all of it is written. False, with the reason, on failure.
  static bool writeFile(const QString& path, const QString& text, QString* error = nullptr);

  // Problem lines for an alert: the first few, then how many more.
  static QString summary(const QStringList& problems);

  // Whether a key number names a symbol of ISWA 2010.
  static bool isIswaKey(int key);
};

}  // namespace quabe

#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

namespace quabe {

// 32-bit ISWA 2010 symbol code: category (31-28), group (27-24), base symbol
// (23-16), variation (15-12), fill (11-8), rotation (7-0). All fields count
// from 1; rotations 9-16 are the mirror images of 1-8. Code 0 is "no symbol".
using SymbolCode = quint32;

enum class Category : int { hand = 0, movement, dynamics, headFace, body, detailedLocation, punc, none };

enum class Hand : int { none = 0, right, left, both };

struct BaseSymbolComponents {
  int category = 1;
  int group = 1;
  int baseSymbol = 1;
  int variation = 1;
  bool operator==(const BaseSymbolComponents&) const = default;
};

class SSS {
 public:
  static SymbolCode make(quint32 category, quint32 group, quint32 baseSymbol, quint32 variation, quint32 fill,
                         quint32 rotation);
  // Text form "01-01-001-01-01-01" to code. A malformed part reads as 0; a
  // text with fewer than six parts is not a code and gives 0.
  static SymbolCode fromString(const QString& text);
  // Like fromString but tells a text with fewer than six parts apart.
  static std::optional<SymbolCode> parse(const QString& text);
  static QString toString(SymbolCode code);

  static int categoryField(SymbolCode c) { return int(c >> 28); }
  static int group(SymbolCode c) { return int((c >> 24) & 15); }
  static int baseSymbol(SymbolCode c) { return int((c >> 16) & 255); }
  static int variation(SymbolCode c) { return int((c >> 12) & 15); }
  static int fill(SymbolCode c) { return int((c >> 8) & 15); }
  static int rotation(SymbolCode c) { return int(c & 255); }
  static SymbolCode withFill(SymbolCode c, int fill) { return (c & ~0xF00u) | ((quint32(fill) & 15) << 8); }
  static SymbolCode withRotation(SymbolCode c, int rotation) { return (c & ~0xFFu) | (quint32(rotation) & 255); }
  static SymbolCode withVariation(SymbolCode c, int v) { return (c & ~0xF000u) | ((quint32(v) & 15) << 12); }

  // The Category of the category field 1-8; nothing for 0 and 9-15.
  static std::optional<Category> categoryOf(SymbolCode code);

  // 16 for hands, the number of rotations the symbol set draws for
  // movements, -1 otherwise (and for movement codes outside the table).
  static int rotationCount(SymbolCode code);
  // The rotation of the code's mirror image, left-right (vertical false) or
  // top-bottom; the archive may lack the resulting code.
  static int flippedRotation(SymbolCode code, bool vertical);
  // ISWA 2010 serial number 1-652 of (base symbol, variation); 0 when unknown.
  static int serialBaseSymbolNumber(int category, int group, int baseSymbol, int variation);
  // Number of variations of a base symbol, 0 when unknown.
  static int variationCount(int category, int group, int baseSymbol);
  // Number of base symbols of a group (the highest base symbol number), 0 when unknown.
  static int baseSymbolCount(int category, int group);

  // True when the fields name a base symbol and variation of ISWA 2010 and
  // fill 1-6, rotation 1-16 (the font may still lack the exact glyph).
  static bool isPlausible(SymbolCode code);

  // FSW key such as "S10000" (base key, fill-1, rotation-1 in hexadecimal);
  // empty when the code has no serial number or fill/rotation are out of range.
  static QString toFswKey(SymbolCode code);
  // "S10000" or "10000" to code; 0 when it is not a valid key.
  static SymbolCode fromFswKey(const QString& key);
  // The key's five hexadecimal digits as one number (0x10000 for S10000);
  // 0 when the code has no key.
  static int fswKeyNumber(SymbolCode code);
  // A key number to code; 0 when it is not a valid key.
  static SymbolCode fromFswKeyNumber(int key);
};

class ISWA2010Code {
 public:
  // Base-symbol key (serial + 255, 0x100-0x38B) to its four components;
  // (1, 1, 1, 1) for an unknown key.
  static BaseSymbolComponents components(int baseSymbolKey);
  static constexpr int firstKey = 0x100;
  static constexpr int lastKey = 0x38B;
};

}  // namespace quabe

#pragma once

#include <QString>
#include <vector>

#include "notation/Tokenizer.h"

namespace quabe {

// One parsed notation item: a sign with its annotations, or a punctuation
// mark (then only gloss is set, holding the mark as typed).
struct JSign {
  QString gloss;
  QString handshape;                // first name inside [ ]
  QString dHandshape;               // second name inside [ ], after the comma
  QString space;                    // position, or source + "→" + destination
  QString mod;                      // modifier after ";" inside ( )
  QString nmm;                      // non-manual markers of the enclosing braces
  bool isComplement = false;        // first item of a joined pair
  bool isSimultaneous = false;      // followed by "|"
  bool isSemiSimultaneous = false;  // followed by "/"
};

// Splits a notation line into items. Grammar, over token types:
//   text        := { item } eoB
//   item        := group | sign | punctuation | ignored
//   group       := "{" [ "<" markers ">" ] { item } "}"
//   markers     := marker { "," marker }
//   marker      := string [ "(" [ string ] ")" ]
//   sign        := string [ "[" string [ "," string ] "]" ]
//                  [ "(" [ string ] [ "->" | "-" ] [ string ] [ ";" [ string ] ] ")" ]
//                  [ ( "|" | "/" ) item ]
//   punctuation := ";" | "," | "." | "?" | "!"
//   ignored     := "~" | "-" | "|" | "/"
// Missing closers only produce a diagnostic; any other token at the start of
// an item ends the split, keeping the items read so far.
class TextSplitter {
 public:
  explicit TextSplitter(Tokenizer& tokenizer);

  // Parses the whole text once and returns the items in text order.
  std::vector<JSign> split();

  const std::vector<JSign>& jSigns() const { return m_jSigns; }

 private:
  enum class Step { continueLevel, stopLevel, enteredLevel };
  struct Level;

  Step parseItem(std::vector<Level>& levels);
  void appendJSign(const JSign& item, JSign& prev);
  QString parseMarkers(const QString& outer);
  void parseSign(JSign& item);
  void next();

  Tokenizer& m_tokenizer;
  std::vector<JSign> m_jSigns;
  QString m_nmm;
  Token m_token;
};

}  // namespace quabe

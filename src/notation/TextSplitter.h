#pragma once

#include <QString>
#include <vector>

#include "notation/NotationDiagnostics.h"
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
  qsizetype at = 0;                 // where the gloss stands in the line
  qsizetype length = 0;             // and its length
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
// an item ends the split, keeping the items read so far. Every diagnostic
// marks the token where the problem showed (or the last word, at the end of
// the line).
class TextSplitter {
 public:
  explicit TextSplitter(Tokenizer& tokenizer);

  // Parses the whole text once and returns the items in text order.
  std::vector<JSign> split();

  const std::vector<JSign>& jSigns() const { return m_jSigns; }
  // What the line did not follow of the notation, in text order.
  const std::vector<NotationDiagnostic>& diagnostics() const { return m_diagnostics; }

 private:
  enum class Step { continueLevel, stopLevel, enteredLevel };
  struct Level;

  Step parseItem(std::vector<Level>& levels);
  void appendJSign(const JSign& item, JSign& prev);
  QString parseMarkers(const QString& outer);
  void parseSign(JSign& item);
  void next();
  void report(const QString& message);
  void reportLonelyJoiner();

  Tokenizer& m_tokenizer;
  std::vector<JSign> m_jSigns;
  QString m_nmm;
  Token m_token;
  Token m_previous;
  std::vector<NotationDiagnostic> m_diagnostics;
};

}  // namespace quabe

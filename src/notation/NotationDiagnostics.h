#pragma once

#include <QString>

namespace quabe {

// One problem the converter found in a notation line, with the place in the
// line it concerns so that the user can be shown the offending word.
struct NotationDiagnostic {
  enum class Kind {
    unreadable,   // the line does not follow the notation (brackets, stray marks)
    unknownWord,  // a word no dictionary entry was found for
    inflection,   // a sign was made, but an annotation could not be applied
  };
  Kind kind = Kind::unreadable;
  QString message;
  qsizetype at = 0;      // UTF-16 index in the line
  qsizetype length = 0;  // characters marked from there; 0 marks a place between words

  // "column N: message", N counted from 1.
  QString text() const;
};

}  // namespace quabe

#pragma once

#include <QString>

#include "document/Sign.h"
#include "document/SwmlEvents.h"

namespace quabe {

// The part of reading SWML that both readers share: the sign, gloss, symbol
// and comment elements. The text of an element is joined from all its
// character-data pieces and handled at the element's end. Formatting white
// space (space, tab, line feed, carriage return) at both ends is dropped,
// unless the element says xml:space="preserve"; an element whose text is
// then empty leaves its field as it was. A gloss that reads "NEWLINE" marks
// the line-break sign, unless it comes from a CDATA section (a blank sign
// that is glossed so). Symbols keep the positions written in the file;
// coordinates beyond the coordinate limit are clamped and reported, symbols
// without an image are left out and reported. Subclasses decide what the
// root element sets and where finished signs go.
class SwmlSignReader : public SwmlEventHandler {
 public:
  enum class States { inDocument, inSign, inGloss, inSymbol, inComment, none };

  // The gloss that marks the line-break sign at the end of each line.
  static constexpr const char* LineBreakGloss = "NEWLINE";

  void startDocument() override;
  void startElement(QStringView name, const QXmlStreamAttributes& attributes) override;
  void characters(QStringView text, bool cdata) override;
  void endElement(QStringView name) override;
  void documentDamaged() override;

  // Sets the gloss and tag of an entry from a written gloss: a trailing
  // circled digit becomes the tag when writing the entry back gives the same
  // text; anything else is kept whole as the gloss.
  static void setWrittenGloss(DbSign& entry, const QString& text);
  // Parses a whole decimal integer attribute value.
  static std::optional<int> integerAttribute(const QXmlStreamAttributes& attributes, QLatin1String name);
  // True for the white space that only formats XML text.
  static bool isFormattingSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

  // The sign being read (nullptr outside a sign element).
  SignPtr sign;
  QString gloss;
  double x = 0;
  double y = 0;
  QString sssStr;
  States state = States::none;

 protected:
  // The attributes of the root element.
  virtual void readRootAttributes(const QXmlStreamAttributes& attributes) = 0;
  // A sign element ended (or the file broke off inside one that had content).
  // lineBreak: the sign is an empty sign glossed as the line break.
  virtual void signFinished(const SignPtr& sign, bool lineBreak) = 0;
  // Whether symbols are still added to the sign being read.
  virtual bool acceptsSymbols() const { return true; }
  // The box a line-break sign gets.
  virtual double lineBreakBoxWidth() const = 0;
  virtual double lineBreakBoxHeight() const = 0;

 private:
  void finishSymbol();
  void finishSign();
  // A symbol coordinate from its attribute text: clamped into the limit and
  // reported when beyond it, 0 and reported when it is no number.
  double coordinate(const QString& name, const std::optional<QString>& text);

  // The element whose text is being joined ("" when none), its text, and how
  // the text was written.
  QString m_textElement;
  QString m_text;
  bool m_textFromCdata = false;
  bool m_preserveSpace = false;
  bool m_lineBreakMarked = false;
  std::optional<QString> m_xText;
  std::optional<QString> m_yText;
};

}  // namespace quabe

#pragma once

#include <QString>

#include "document/Sign.h"
#include "document/SwmlEvents.h"

namespace quabe {

// The part of reading SWML that both readers share: the sign, gloss, symbol
// and comment elements. The text of an element is joined from all its
// character-data pieces and handled at the element's end, trimmed of white
// space at both ends; an element whose text is empty leaves its field as it
// was. Subclasses decide what the root element sets and where finished signs go.
class SwmlSignReader : public SwmlEventHandler {
 public:
  enum class States { inDocument, inSign, inGloss, inSymbol, inComment, none };

  static constexpr int MaxSignBoxWidth = 256;
  static constexpr int MaxSignBoxHeight = 256;
  static constexpr double DefaultSignBoxWidth = 150;
  static constexpr double DefaultSignBoxHeight = 150;
  static constexpr int MaxLineSpace = 100;
  static constexpr int MaxSignSpace = 100;
  static constexpr double DefaultLineSpace = 20;
  static constexpr double DefaultSignSpace = 10;

  // The gloss that marks the line-break sign at the end of each line.
  static constexpr const char* LineBreakGloss = "NEWLINE";

  void startDocument() override;
  void startElement(QStringView name, const QXmlStreamAttributes& attributes) override;
  void characters(QStringView text) override;
  void endElement(QStringView name) override;
  void documentDamaged() override;

  // Sets the gloss and tag of an entry from a written gloss: a trailing
  // circled digit becomes the tag when writing the entry back gives the same
  // text; anything else is kept whole as the gloss.
  static void setWrittenGloss(DbSign& entry, const QString& text);
  // Parses a whole decimal integer attribute value.
  static std::optional<int> integerAttribute(const QXmlStreamAttributes& attributes, QLatin1String name);

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
  // The name readers print in their diagnostics.
  virtual QString diagnosticName() const = 0;

 private:
  void finishSymbol();
  void finishSign();

  // The element whose text is being joined ("" when none) and its text.
  QString m_textElement;
  QString m_text;
  bool m_lineBreakMarked = false;
};

}  // namespace quabe

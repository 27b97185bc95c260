#pragma once

#include "document/Preferences.h"
#include "document/SwmlSignReader.h"

namespace quabe {

// Reads only the first sign of an SWML file (with the file's sign box size).
// Reading stops once the first sign element has ended.
class SwmlParser : public SwmlSignReader {
 public:
  SwmlParser();

  SwmlReadReport parse(const QString& path);
  SwmlReadReport parse(QIODevice& device);

  bool isFinished() const override { return firstSignDidRead; }

  // After parsing: the first sign (an empty sign when the file has none) and
  // the file's sign box size (150 when absent or out of range).
  SignPtr firstSign;
  double signBoxWidth = Preferences::SignBoxRange.fallback;
  double signBoxHeight = Preferences::SignBoxRange.fallback;
  bool firstSignDidRead = false;

 protected:
  void readRootAttributes(const QXmlStreamAttributes& attributes) override;
  void signFinished(const SignPtr& sign, bool lineBreak) override;
  bool acceptsSymbols() const override { return !firstSignDidRead; }
  double lineBreakBoxWidth() const override { return signBoxWidth; }
  double lineBreakBoxHeight() const override { return signBoxHeight; }
};

}  // namespace quabe

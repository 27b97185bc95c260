#pragma once

#include "document/BufferManager.h"
#include "document/Preferences.h"
#include "document/SwmlSignReader.h"

namespace quabe {

// Reads a whole SWML document into an edit buffer and the document's
// preferences: the root element's attributes set the sign box size, the
// spacing and the writing direction; every sign element becomes a sign of
// the current line, and the line-break sign (gloss "NEWLINE") ends the line.
// The buffer's previous lines are replaced.
class SWMLDelegate : public SwmlSignReader {
 public:
  SWMLDelegate(BufferManager& bufferMan, Preferences& prefs);

  void endDocument() override;
  void documentDamaged() override;

  // Reads a file or device into the buffer and preferences given at
  // construction; the report tells what was damaged or skipped. Does not
  // run the document's completion steps.
  SwmlReadReport read(const QString& path);
  SwmlReadReport read(QIODevice& device);

  BufferManager& bufferMan;
  Preferences& prefs;
  SignStringPtr signString;  // the line being filled

 protected:
  void readRootAttributes(const QXmlStreamAttributes& attributes) override;
  void signFinished(const SignPtr& sign, bool lineBreak) override;
  double lineBreakBoxWidth() const override { return prefs.defaultSignBoxWidth; }
  double lineBreakBoxHeight() const override { return prefs.defaultSignBoxHeight; }

 private:
  void startLine();
  // The file's last line may end without its line-break sign; an empty sign
  // carrying a gloss or comment there must not turn into the line break.
  void closeLastLine();

  bool m_lastSignWasLineBreak = false;
};

}  // namespace quabe

#pragma once

#include <QByteArray>
#include <QString>

#include "document/BufferManager.h"
#include "document/Preferences.h"

namespace quabe {

// Writes an edit buffer as SWML (dialect "S", version 1.1): UTF-8, lines
// ending in a line feed, two-space indentation. The empty sign at the end of
// each line is written with the gloss "NEWLINE". Texts are escaped so that
// any gloss, reading or comment reads back unchanged, white space at their
// ends included. A compound is written as one sign holding its
// constituents' symbols where the document shows them.
class SwmlWriter {
 public:
  // The system identifier of the document type line.
  static constexpr const char* DocumentTypeAddress = "http://www.signwriting.org/swml/swml-s.dtd";

  // The whole file.
  static QByteArray write(const BufferManager& buffer, const Preferences& prefs);
  // The XML declaration, the document type line and the root element's start tag.
  static QString header(const Preferences& prefs);
  // One sign element; lastInLine: the sign ends its line; vertical: the
  // document's writing direction, which places a compound's constituents.
  static QString signElement(const Sign& sign, bool lastInLine, bool vertical = false);
  static QString footer();
};

}  // namespace quabe

#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QXmlStreamAttributes>

namespace quabe {

// What a reader found wrong with an SWML file. A damaged file still yields
// everything that was read before the damage.
struct SwmlReadReport {
  // False when the file could not be opened at all.
  bool opened = true;
  // False when the XML is not well-formed (truncated, wrongly nested,
  // binary garbage, bad encoding); reading stopped at errorLine:errorColumn.
  bool wellFormed = true;
  // False when the file holds no "swml" element.
  bool sawSwmlElement = false;
  QString errorText;
  qint64 errorLine = 0;
  qint64 errorColumn = 0;
  // One entry per symbol left out because the archive has no image for its
  // code: the code text and the line it stood on.
  QStringList skippedSymbols;
  // One entry per symbol coordinate outside the coordinate limit, which was
  // clamped into it: the attribute, its value and the line.
  QStringList clampedCoordinates;

  // True when the document read is not what the file holds: the file could
  // not be opened or read to its end, holds no SWML, or symbols were left
  // out or moved. Such a file must not be overwritten unasked.
  bool isDamaged() const {
    return !opened || !wellFormed || !sawSwmlElement || !skippedSymbols.isEmpty() || !clampedCoordinates.isEmpty();
  }
  // A one-line English description of the damage ("" when there is none).
  QString damageDescription() const;
};

// Receives the events of an SWML file in document order. Character data of
// one element may arrive in several pieces.
class SwmlEventHandler {
 public:
  virtual ~SwmlEventHandler() = default;
  virtual void startDocument() {}
  virtual void startElement(QStringView name, const QXmlStreamAttributes& attributes) {}
  // cdata: the text comes from a CDATA section.
  virtual void characters(QStringView text, bool cdata) {}
  virtual void endElement(QStringView name) {}
  // The end of a well-formed document.
  virtual void endDocument() {}
  // Reading stopped at an XML error; the handler keeps what it has.
  virtual void documentDamaged() {}
  // True when the handler needs no further events (reading stops quietly).
  virtual bool isFinished() const { return false; }

  // Where the current event stands in the file (for diagnostics).
  qint64 line = 0;
  qint64 column = 0;
  // Filled by the handler, returned by runSwmlEvents.
  SwmlReadReport report;
};

// Runs an event-style XML reader over the device and hands its events to the
// handler. Never fails on bad bytes: a file that is not well-formed ends the
// events with documentDamaged() and the report says where.
SwmlReadReport runSwmlEvents(QIODevice& device, SwmlEventHandler& handler);
// Opens the file and runs the events; report.opened is false when it cannot.
SwmlReadReport runSwmlEvents(const QString& path, SwmlEventHandler& handler);

}  // namespace quabe

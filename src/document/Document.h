#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUndoStack>

#include "document/BufferManager.h"
#include "document/Preferences.h"
#include "document/SwmlEvents.h"

namespace quabe {

// One open SWML document: its edit buffer, its own preferences, an undo
// stack for the edit commands and a modified flag. A new document holds one
// line with its line-break sign and the preferences of the user settings.
class Document : public QObject {
  Q_OBJECT
 public:
  explicit Document(QObject* parent = nullptr);
  ~Document() override;

  BufferManager bufferManager;
  QString text;
  Preferences prefs;

  // Documents are saved only when the user asks.
  static bool autosavesInPlace() { return false; }

  // Reads the file as SWML into the buffer and the preferences (which start
  // again from the user settings; the file's root element then overrides
  // sign box size, spacing and writing direction). A damaged file yields
  // what could be read before the damage; the report says what happened and
  // showReadProblems() tells the user. A file that was not read completely
  // (damaged, not SWML, symbols left out or moved) is not the document's
  // file: filePath() stays empty so that saving asks for a file, proposing
  // the file read. The undo history is cleared and the document is
  // unmodified afterwards. A file that cannot be opened leaves the document
  // as it was (report.opened is false).
  SwmlReadReport readFromFile(const QString& path);
  // Writes the whole buffer as SWML, atomically: the file is replaced only
  // once the new text is completely written, so a failed or interrupted
  // save leaves the previous version as it was. On success the document is
  // unmodified and the file is its file. errorMessage receives the reason
  // of a failure.
  bool writeToFile(const QString& path, QString* errorMessage = nullptr);
  // The SWML text of the document.
  QByteArray swmlData() const;

  // The steps that finish every reading: empty signs get the full sign box,
  // an empty last line is dropped, every line ends with its line-break sign
  // (a buffer left without lines gets one line with one empty sign), and the
  // editor's symbol selection is cleared.
  static void completeReading(BufferManager& buffer, const Preferences& prefs);

  // Tells the user through the alert sink when the report shows that the
  // file could not be opened or was not read completely (one alert that
  // names what was lost); nothing otherwise.
  static void showReadProblems(const QString& path, const SwmlReadReport& report);

  // The file Save writes to: the file last written, or read completely
  // ("" for a new document and for one read from a damaged file).
  QString filePath() const { return m_filePath; }
  // The file last read or written, also when it was damaged.
  QString sourcePath() const { return m_sourcePath; }

  QUndoStack& undoStack() { return m_undoStack; }
  // Modified while the undo stack is away from its clean state or after
  // setModified(true); setModified(false) makes the current state the clean one.
  bool isModified() const { return m_forcedModified || !m_undoStack.isClean(); }
  void setModified(bool modified);

 Q_SIGNALS:
  void modifiedChanged(bool modified);

 private:
  void notifyIfModifiedChanged();

  QUndoStack m_undoStack;
  QString m_filePath;
  QString m_sourcePath;
  bool m_forcedModified = false;
  bool m_lastReportedModified = false;
};

}  // namespace quabe

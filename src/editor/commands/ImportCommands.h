#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

namespace quabe {

class DictMergeWindow;
class Dictionary;
class DocumentController;
class SpmlImportWindow;
class WindowController;

// File ▸ Import SPML… (an export's entries listed for insertion into the
// front document), File ▸ Merge Dictionary… and Tools ▸ Import SPML into
// Dictionary…, on the dictionary the dictionary commands hand over.
class ImportCommands : public QObject {
  Q_OBJECT
 public:
  explicit ImportCommands(Dictionary& dictionary, QObject* parent = nullptr);
  ~ImportCommands() override;

  // Installs the handlers; the import window inserts into the controller's front document.
  void install(DocumentController& controller);

  SpmlImportWindow* spmlImportWindow();
  // Lists the file's entries in the import window; false when unreadable.
  bool openSpml(const QString& path);
  // The merge sheet on the window (a window of its own without one), into
  // the dictionary; a merge that wrote announces the change.
  DictMergeWindow* openMergeWindow(WindowController* front);
  // Imports every entry with a sign into the current dictionary with a
  // progress dialog and a summary, then announces the change; false when
  // nothing was imported.
  bool importSpmlIntoDictionary(const QString& path);

 private:
  Dictionary& m_dictionary;
  DocumentController* m_controller = nullptr;  // the one installed on
  QPointer<SpmlImportWindow> m_spmlImportWindow;
  QPointer<DictMergeWindow> m_mergeWindow;
};

}  // namespace quabe

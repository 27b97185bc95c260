#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "document/Fsw.h"
#include "document/Preferences.h"
#include "editor/canvas/WindowControllerDelegate.h"
#include "editor/layout/ViewLineSettings.h"

class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollArea;

namespace quabe {

class Dictionary;
class Document;
class DocumentController;
class DocumentEditor;
class EditingCanvas;
class PaletteTabWidget;
class PaletteView;
class PreferencePanel;
class NotationPanel;
class TextInputPanel;

// The window of one document: the canvas in its scroll area, the palettes
// in a tab view, the writing-direction control, the pointer-position and
// symbol-information fields, the dictionary search field, the comment and
// notation-input panels and the preference sheet. It owns its document,
// receives the window's menu commands and forwards the editing commands to
// the canvas, whose delegate it is.
class WindowController : public QMainWindow, public WindowControllerDelegate {
  Q_OBJECT
 public:
  // Takes ownership of the document. The controller's dictionary gives the
  // signs inserted by entry id, and the preferences switch it; the
  // controller outlives the window.
  WindowController(std::unique_ptr<Document> document, DocumentController& controller, QWidget* parent = nullptr);
  ~WindowController() override;

  DocumentController& controller() const { return m_controller; }

  Document* document() const { return m_document.get(); }
  EditingCanvas* canvasView() const { return m_canvas; }
  DocumentEditor* editor() const { return m_editor; }
  QScrollArea* scrollView() const { return m_scrollView; }
  PaletteTabWidget* tabView() const { return m_tabView; }
  PaletteView* mainPaletteView() const;
  PaletteView* subPaletteView() const;
  QLabel* axisTextField() const { return m_axisTextField; }
  QLabel* symbolInfoTextField() const { return m_symbolInfoTextField; }
  QLabel* dictionaryLabel() const { return m_dictionaryLabel; }
  QButtonGroup* writingDirectionControl() const { return m_writingDirectionControl; }
  QLineEdit* searchField() const { return m_searchField; }
  TextInputPanel* commentWindow() const { return m_commentWindow; }
  NotationPanel* jsConvWindow() const { return m_jsConvWindow; }
  // Created on first use of the preference sheet.
  PreferencePanel* preferencePanelController() const { return m_preferencePanel; }
  // The window's own commands by name (for the menus and tests), e.g. "conRotateCW".
  QAction* action(const QString& name) const { return m_actions.value(name); }
  // The display settings the canvas reads, kept in step with the document's preferences.
  LayoutSettings& layoutSettings() { return m_layoutSettings; }

  QString jjsText;
  QString commentText;
  Preferences oldPrefs;

  // --- WindowControllerDelegate ---
  void showMousePosition(qreal x, qreal y) override;
  void symbolSelected(const ISWA& symbol) override;
  void documentChanged() override;
  QSizeF visibleSize() const override;
  void runConversionPanel() override;
  void runCommentPanel() override;
  // Sign ▸ Edit Gloss…: the gloss panel for the current sign.
  void runGlossPanel() override;
  void openSignList() override;

  // --- commands ---
  // Switches the writing direction (one undo step); nothing when unchanged.
  void changeWritingDirection(bool vertical);
  // Applies the document's preferences to the canvas and redraws; relayout
  // rebuilds the layout for changed sizes or direction.
  void applyPreferences(bool relayout);
  // The preference sheet; saving applies the edited settings as one step.
  void openPreferenceWindow();
  // Applies edited preferences (what the sheet's Save does).
  void applyEditedPreferences(const Preferences& edited, bool dictionaryChanged);
  // The comment flow: the panel preset with the current sign's comment; OK
  // sets the comment (one undo step), Close changes nothing.
  void conEditComment() { runCommentPanel(); }
  // The notation-input flow: the panel, the converter, the signs inserted at
  // the cursor as one undo step.
  void conInputByJSConversion() { runConversionPanel(); }
  // Converts a notation text and inserts the signs; false without a
  // converter or without signs.

  // Saving: to the document's file (Save As for a new one and for one read
  // from a damaged file), to a chosen file, or to a given path; false when
  // cancelled or failed (with an alert).
  bool saveDocument();
  bool saveDocumentAs();
  bool saveToPath(const QString& path);
  // Chooses the file of Save As, given the proposed path ("" cancels);
  // the save dialog unless replaced (tests).
  using SavePathChooser = std::function<QString(const QString& proposed)>;
  void setSavePathChooser(SavePathChooser chooser) { m_savePathChooser = std::move(chooser); }
  // Puts the saved file back after asking; the changes since are dropped.
  bool revertDocument();
  bool saveAsPDF();
  bool saveAsPDFToPath(const QString& path);
  // File ▸ Export: the signs as FSW or SWU text, one line of text per line
  // of the document (the dialog tells that glosses and comments stay out).
  // What the text could not carry is reported after writing.
  bool exportSignText(Fsw::Form form);
  bool exportSignTextToPath(const QString& path, Fsw::Form form);
  bool printDocument();
  // Asks about unsaved changes; true when the window may close.
  bool confirmClose();

  // The window title: file name (or "Untitled", "Untitled 2" …) with the modified mark.
  void updateWindowTitle();
  QString displayName() const;
  // Numbers an untitled window (1 is plain "Untitled").
  void setUntitledNumber(int number);
  int untitledNumber() const { return m_untitledNumber; }
  // A new window nobody has used yet: no file, no edits. Opening a file replaces it.
  bool isUntouched() const;

 Q_SIGNALS:
  void activated(WindowController* window);
  void closed(WindowController* window);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildWidgets();
  void buildActions();
  void buildMenus();
  void syncLayoutSettings();
  void syncDirectionControl();
  void stepRestored();
  void clearSymbolInfo();
  void showDictionaryName();

  DocumentController& m_controller;
  std::unique_ptr<Document> m_document;
  Dictionary& m_dictionary;
  LayoutSettings m_layoutSettings;
  EditingCanvas* m_canvas = nullptr;
  DocumentEditor* m_editor = nullptr;
  QScrollArea* m_scrollView = nullptr;
  PaletteTabWidget* m_tabView = nullptr;
  QLabel* m_axisTextField = nullptr;
  QLabel* m_symbolInfoTextField = nullptr;
  QLabel* m_dictionaryLabel = nullptr;  // the name of the dictionary in use
  QButtonGroup* m_writingDirectionControl = nullptr;
  QLineEdit* m_searchField = nullptr;
  TextInputPanel* m_commentWindow = nullptr;
  NotationPanel* m_jsConvWindow = nullptr;
  PreferencePanel* m_preferencePanel = nullptr;  // a child of the window
  Preferences m_editedPrefs;
  QHash<QString, QAction*> m_actions;
  SavePathChooser m_savePathChooser;
  bool m_closing = false;
  int m_untitledNumber = 1;
};

}  // namespace quabe

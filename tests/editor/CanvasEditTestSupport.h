#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "CanvasTestSupport.h"
#include "common/TestSupport.h"
#include "core/Resources.h"
#include "document/Clipboards.h"
#include "document/DbSign.h"
#include "document/Document.h"
#include "document/Sign.h"
#include "editor/app/DocumentController.h"
#include "editor/interaction/DocumentEditor.h"
#include "editor/interaction/EditingCanvas.h"
#include "editor/window/TextInputPanel.h"
#include "editor/window/WindowController.h"
#include "symbols/SymbolCode.h"

namespace quabe::test {

// Records what goes to the system pasteboard.
class PictureRecorder : public ImagePasteboard {
 public:
  void putImage(const QImage& image) override { images << image; }
  QList<QImage> images;
};

// Every GUI test runs with its own user settings, its own document
// controller, the archive loaded, recorded alerts, and no window left behind.
class EditorGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(loadSymbolArchive()) << "no iswa2010bin";
    ASSERT_TRUE(m_settingsDir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
    QSettings().clear();
    Resources::registerDefaults();
    // Settings that keep positions predictable.
    QSettings settings;
    settings.setValue(QStringLiteral("AutoCentering"), false);
    settings.setValue(QStringLiteral("RotatePuncs"), false);
    settings.sync();
    Clipboards::shared().reset();
    Clipboards::shared().setPasteboard(&pictures);
    alerts = std::make_unique<RecordingAlertSink>();
    ASSERT_TRUE(m_dir.isValid());
  }

  void TearDown() override {
    for (const QPointer<WindowController>& window : m_windows) {
      if (!window) continue;
      window->document()->setModified(false);
      delete window.data();
    }
    for (WindowController* window : m_controller.windows()) {
      window->document()->setModified(false);
      delete window;
    }
    Clipboards::shared().reset();
    Clipboards::shared().setPasteboard(nullptr);
    alerts.reset();
  }

  // A document with the given lines of signs (each line gets its line break).
  std::unique_ptr<Document> makeDocument(const QList<QList<SignPtr>>& lines, bool vertical = false) {
    auto document = std::make_unique<Document>();
    // No centring or punctuation turns: the document reads them from the settings above.
    document->prefs.verticalWriting = vertical;
    BufferManager& buffer = document->bufferManager;
    buffer.editBuffer.clear();
    for (const QList<SignPtr>& signs : lines) {
      auto line = std::make_shared<SignString>();
      line->signArray = signs;
      buffer.editBuffer << line;
    }
    if (buffer.editBuffer.isEmpty()) buffer.editBuffer << std::make_shared<SignString>();
    buffer.terminateAllLines();
    return document;
  }

  // A shown, active window for the document.
  WindowController* openWindow(std::unique_ptr<Document> document) {
    // Registered like every window the application opens, so the menu
    // commands find it as the front window.
    auto* window = m_controller.addWindow(new WindowController(std::move(document), m_controller));
    m_windows << window;
    showActive(window);
    return window;
  }

  static void showActive(WindowController* window) {
    window->show();
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window);
    window->canvasView()->setFocus();
    QApplication::processEvents();
  }

  QString path(const QString& name) const { return m_dir.filePath(name); }
  static QByteArray fileBytes(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }
  // The signs of a logical line of the window's document.
  static const QList<SignPtr>& lineOf(WindowController* window, qsizetype line = 0) {
    return window->document()->bufferManager.editBuffer[line]->signArray;
  }
  // What the dictionary would hand out for an id: a hand sign glossed G<id>.
  static SignPtr candidateSign(qint64 id) {
    const char* codes[] = {"01-02-001-01-01-01", "01-03-001-01-01-01", "01-04-001-01-01-01"};
    SignPtr sign = makeSign({{codes[id % 3], 35, 45}}, QStringLiteral("G%1").arg(id));
    sign->jjs->signID = id;
    return sign;
  }
  // The test's own application controller.
  DocumentController& controller() { return m_controller; }

  // --- real events on the canvas ---
  static void mouse(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButtons buttons,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(target, &event);
  }
  static void click(QWidget* target, QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    mouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton, modifiers);
    mouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton, modifiers);
  }
  static void drag(QWidget* target, QPointF from, QPointF to, int steps = 4,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    mouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton, modifiers);
    for (int i = 1; i <= steps; ++i)
      mouse(target, QEvent::MouseMove, from + (to - from) * (qreal(i) / steps), Qt::LeftButton, modifiers);
    mouse(target, QEvent::MouseButtonRelease, to, Qt::NoButton, modifiers);
  }
  static void key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(target, Qt::Key(key), modifiers);
  }

  // Runs action once the next modal dialog is up (for panels run with exec()).
  static void whenModal(const std::function<void(QWidget*)>& action) {
    QTimer::singleShot(0, [action] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) {
        whenModal(action);
        return;
      }
      action(modal);
    });
  }

  // Types text into the next text panel (the comment or notation panel) and
  // presses OK or Close; shown receives the text the panel came up with.
  static void answerTextPanel(const QString& text, bool ok = true, QString* shown = nullptr) {
    whenModal([text, ok, shown](QWidget* modal) {
      auto* panel = qobject_cast<TextInputPanel*>(modal);
      ASSERT_NE(panel, nullptr);
      if (shown) *shown = panel->textField()->text();
      panel->textField()->setText(text);
      (ok ? panel->okButton() : panel->closeButton())->click();
    });
  }

  // Centre of a symbol on the canvas (the symbol must be in the current sign).
  static QPointF centreOf(EditingCanvas* canvas, const ISWAPtr& symbol) {
    const ViewLineManager* layout = canvas->viewLineMan();
    return symbol->rect.translated(layout->signOrigin(layout->cursorLine, layout->cursorOffset)).center();
  }
  // Makes (line, index) the current sign with a click on its cell.
  static void clickSign(EditingCanvas* canvas, qint64 line, qint64 index) {
    const QRectF r = canvas->viewLineMan()->signRect(line, index);
    // Near the far side of the view line: away from the symbols of the sign.
    const bool vertical = canvas->viewLineMan()->isVertical();
    click(canvas, vertical ? QPointF(r.right() - 2, r.top() + 2) : QPointF(r.left() + 2, r.bottom() - 2));
  }

  PictureRecorder pictures;
  std::unique_ptr<RecordingAlertSink> alerts;

 private:
  DocumentController m_controller;
  QTemporaryDir m_settingsDir;
  QTemporaryDir m_dir;
  QList<QPointer<WindowController>> m_windows;
};

}  // namespace quabe::test

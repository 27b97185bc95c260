#pragma once

// Document windows with the dictionary, notation and finder commands
// installed, over a temporary dictionary.
#include "CanvasEditTestSupport.h"
#include "DictTestSupport.h"
#include "editor/commands/DictionaryCommands.h"
#include "editor/layout/ViewLineManager.h"

namespace quabe::test {

class DictCommandsTest : public EditorGuiTest {
 protected:
  void SetUp() override {
    EditorGuiTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(dictionary.create());
    controller().installDictionaryCommands();
  }
  DictionaryCommands& commands() { return controller().installDictionaryCommands(); }

  // The glosses of the signs of the first line, line break left out.
  static QStringList glossesOfFirstLine(WindowController* window) {
    QStringList glosses;
    for (const SignPtr& sign : window->document()->bufferManager.editBuffer[0]->signArray) {
      if (!sign->isEmpty()) glosses.append(sign->jjs->gloss);
    }
    return glosses;
  }
  // Puts the cursor on (line, index) of the layout.
  static void placeCursor(WindowController* window, qint64 line, qint64 index) {
    ViewLineManager* layout = window->canvasView()->viewLineMan();
    layout->cursorLine = line;
    layout->cursorOffset = index;
  }

  // The application's dictionary, on a temporary file.
  TemporaryDictionary dictionary{&controller().dictionary()};
};

}  // namespace quabe::test

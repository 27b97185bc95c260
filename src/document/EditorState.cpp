#include "document/EditorState.h"

namespace quabe {

EditorState& EditorState::shared() {
  static EditorState state;
  return state;
}

bool EditorState::isSelected(const ISWA* symbol) const {
  for (const ISWAPtr& selected : selectedSymbols) {
    if (selected.get() == symbol) return true;
  }
  return false;
}

void EditorState::clearSymbolSelection() {
  for (const ISWAPtr& selected : selectedSymbols) selected->selected = false;
  selectedSymbols.clear();
}

void EditorState::addToSelection(const ISWAPtr& symbol) {
  if (!symbol) return;
  if (!isSelected(symbol.get())) selectedSymbols.append(symbol);
  symbol->selected = true;
}

void EditorState::removeFromSelection(const ISWA* symbol) {
  for (qsizetype i = 0; i < selectedSymbols.size(); ++i) {
    if (selectedSymbols[i].get() == symbol) {
      selectedSymbols[i]->selected = false;
      selectedSymbols.removeAt(i);
      return;
    }
  }
}

bool EditorState::isEditing(const Sign* sign) const {
  for (const std::weak_ptr<Sign>& edited : editingSigns) {
    if (SignPtr locked = edited.lock(); locked.get() == sign) return true;
  }
  return false;
}

void EditorState::putImageOnPasteboard(const QImage& image) {
  if (m_pasteboard && !image.isNull()) m_pasteboard->putImage(image);
}

void EditorState::reset() {
  clearSymbolSelection();
  editingSigns.clear();
  symbolClipboard.clear();
  signClipboard.signArray.clear();
}

}  // namespace quabe

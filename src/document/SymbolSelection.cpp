#include "document/SymbolSelection.h"

namespace quabe {

bool SymbolSelection::contains(const ISWA* symbol) const {
  for (const ISWAPtr& selected : m_symbols) {
    if (selected.get() == symbol) return true;
  }
  return false;
}

void SymbolSelection::add(const ISWAPtr& symbol) {
  if (symbol && !contains(symbol.get())) m_symbols.append(symbol);
}

void SymbolSelection::remove(const ISWA* symbol) {
  m_symbols.removeIf([symbol](const ISWAPtr& selected) { return selected.get() == symbol; });
}

void SymbolSelection::keepOnly(const Sign& sign) {
  m_symbols.removeIf([&sign](const ISWAPtr& selected) { return !sign.containsSymbol(selected.get()); });
}

bool SymbolSelection::isEditing(const Sign* sign) const {
  for (const std::weak_ptr<Sign>& edited : m_editing) {
    if (SignPtr locked = edited.lock(); locked.get() == sign) return true;
  }
  return false;
}

void SymbolSelection::beginEditing(Sign& sign) {
  if (isEditing(&sign)) return;
  finishEditing();
  std::weak_ptr<Sign> self = sign.weak_from_this();
  if (!self.expired()) m_editing.append(self);
}

void SymbolSelection::finishEditing() {
  const QList<std::weak_ptr<Sign>> edited = m_editing;
  m_editing.clear();
  for (const std::weak_ptr<Sign>& weak : edited) {
    if (SignPtr sign = weak.lock()) sign->updateBounds();
  }
}

}  // namespace quabe

#pragma once

#include <QList>
#include <memory>

#include "document/Sign.h"

namespace quabe {

// The placed symbols a window has selected, in selection order, and the signs
// whose symbols that window is editing (normally one). Each document window
// owns one; the sign operations on selected symbols take it as an argument.
// Used on the main thread only.
class SymbolSelection {
 public:
  const QList<ISWAPtr>& symbols() const { return m_symbols; }
  bool isEmpty() const { return m_symbols.isEmpty(); }
  bool contains(const ISWA* symbol) const;
  void clear() { m_symbols.clear(); }
  // Appends a symbol once.
  void add(const ISWAPtr& symbol);
  void remove(const ISWA* symbol);
  // Keeps only the symbols that belong to the sign.
  void keepOnly(const Sign& sign);

  // The signs being edited.
  const QList<std::weak_ptr<Sign>>& editingSigns() const { return m_editing; }
  bool isEditing(const Sign* sign) const;
  // Makes the sign the one being edited; a sign edited before gets its box
  // recomputed first.
  void beginEditing(Sign& sign);
  // Recomputes the box of every sign being edited and forgets them.
  void finishEditing();
  // Forgets the signs being edited without touching them.
  void forgetEditing() { m_editing.clear(); }

 private:
  QList<ISWAPtr> m_symbols;
  QList<std::weak_ptr<Sign>> m_editing;
};

}  // namespace quabe

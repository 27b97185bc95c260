#pragma once

#include <QList>
#include <QPair>
#include <memory>

#include "document/BufferManager.h"
#include "document/Sign.h"

namespace quabe {

// The part of a document's settings that its file records: sign box size,
// spacing and writing direction.
struct DocumentLayoutFields {
  double signBoxWidth = 0;
  double signBoxHeight = 0;
  double lineSpace = 0;
  double minSignSpace = 0;
  bool verticalWriting = true;
  bool operator==(const DocumentLayoutFields&) const = default;
};

// The text of a document at one moment, kept for undo: every sign as a
// private copy that nobody edits, plus where the cursor, the range selection
// and the symbol selection stood.
//
// Copies are shared between snapshots: capturing the buffer again after an
// edit copies only the signs whose content differs from the previous
// snapshot, so a step that touches one sign of a long document costs one
// sign copy and a comparison pass, not a copy of the whole text.
struct BufferSnapshot {
  struct SignRecord {
    std::weak_ptr<Sign> live;          // the buffer's object this copy was taken from
    std::shared_ptr<const Sign> copy;  // never handed out for editing
  };
  QList<QList<SignRecord>> lines;
  DocumentLayoutFields layout;
  BufferPosition cursor;      // the current sign
  BufferPosition rangeStart;  // line -1: no range selection
  BufferPosition rangeEnd;
  // Selected symbols: the sign holding them and the symbol's index, in selection order.
  QList<QPair<BufferPosition, qsizetype>> selection;

  qsizetype signCount() const;

  // Takes the buffer's signs. Signs that are the same objects as in previous
  // and have the same content reuse previous's copies. changed (when given)
  // tells whether the text differs from previous (always true without one).
  static BufferSnapshot capture(const BufferManager& buffer, const BufferSnapshot* previous, bool* changed = nullptr);

  // Puts the snapshot's text into the buffer. Objects still in the buffer
  // (or elsewhere alive) whose content equals the snapshot are kept, the
  // others are replaced by fresh copies; the returned snapshot records the
  // objects now in the buffer (same copies). Selection and cursor are not
  // touched here.
  BufferSnapshot restoreInto(BufferManager& buffer) const;
};

// True when two signs hold the same content: symbols (code, place, hand and
// flags), box, texts, lane, constituents and dictionary record.
bool sameSignContent(const Sign& a, const Sign& b);

}  // namespace quabe

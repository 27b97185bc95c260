#pragma once

#include <QList>
#include <optional>

#include "document/SignString.h"

namespace quabe {

// Where a sign stands in the edit buffer.
struct BufferPosition {
  qsizetype line = -1;
  qsizetype index = -1;
  bool operator==(const BufferPosition&) const = default;
  bool operator<(const BufferPosition& other) const {
    return line < other.line || (line == other.line && index < other.index);
  }
};

// The text of a document: its logical lines. Convention: every line ends
// with an empty sign (its line break); after any operation that may break
// that, callers tidy with terminateAllLines(). The sign clipboard is shared
// by all documents (it lives in Clipboards).
class BufferManager {
 public:
  // One line holding one empty sign.
  BufferManager();

  QList<SignStringPtr> editBuffer;
  SignStringPtr cachedNode;  // the line last accessed (a fresh empty line at first)
  qsizetype cachedLine = -1;

  // The process-wide sign clipboard.
  static SignString& signClipboard();

  qsizetype lineCount() const { return editBuffer.size(); }
  // The line at index; outside the buffer a logged warning and nullptr.
  SignStringPtr line(qsizetype index);
  // Inserts a line (clamped to 0..lineCount) and returns it.
  SignStringPtr insertLine(qsizetype index, SignStringPtr line = nullptr);
  // Where the very sign object stands, or nothing.
  std::optional<BufferPosition> position(const Sign* sign) const;

  // Appends an empty sign to the line unless it has at least two signs and
  // already ends with an empty one. A negative index means the last line.
  void appendLineBreak(qsizetype toLine);
  // appendLineBreak for every line that is empty or whose last sign is not empty.
  void terminateAllLines();
  // With at least two lines, removes an empty last line.
  void removeEmptyLastLine();
  // Puts sign in place of the sign at (line, index); false when outside.
  bool replaceSign(const SignPtr& sign, qsizetype line, qsizetype index);

  // Inserts copies of the clipboard's signs at offset of line and returns the
  // sign after them (an empty sign is appended when there is none). nullptr
  // (with a logged warning) for a line or offset outside the buffer.
  SignPtr pasteSignsAt(qsizetype line, qsizetype offset);
  // The same with the given signs (inserted themselves, not copies).
  SignPtr insertSignsAt(qsizetype line, qsizetype offset, const QList<SignPtr>& signs);
  // Turns stand-alone punctuation: flag set turns rotations 3/7 to 1/5,
  // flag clear turns 1/5 to 7/3.
  void rotatePunctuation(bool flag);

  // The clipboard then holds the very sign; false (clipboard unchanged) when
  // the sign is in no line.
  bool copySign(const SignPtr& sign);
  // copySign, then the sign is removed from its line.
  bool cutSign(const SignPtr& sign);
  // The clipboard holds the signs from one sign to the other (either order;
  // both included); with cut they are removed. Within one line these are
  // exactly the signs between the two. A range over several lines copies, in
  // reading order, the rest of the first line, the lines in between and the
  // last line up to the end sign, leaving out the line-break signs of those
  // lines; with cut those signs leave their lines and every line that the cut
  // empties is removed (the buffer keeps at least one line). Callers then run
  // terminateAllLines(). False (nothing changes) when a sign is not found.
  bool copySigns(const SignPtr& from, const SignPtr& to, bool cut);
  // The signs copySigns takes, line by line; nothing when a sign is not found.
  std::optional<QList<QList<SignPtr>>> signsBetween(const SignPtr& from, const SignPtr& to) const;
};

}  // namespace quabe

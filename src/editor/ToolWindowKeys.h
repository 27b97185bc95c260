#pragma once

class QWidget;

namespace quabe {

// Escape closes a tool window (the dictionary editors, the sign list, the
// finder windows), as Close does.
void closeOnEscape(QWidget* window);

}  // namespace quabe

#pragma once

#include <QLoggingCategory>

namespace quabe {

// One logging category per subsystem; messages go to standard error. Warnings
// are on; debug messages are off unless QT_LOGGING_RULES turns them on, e.g.
// QT_LOGGING_RULES="quabe.dictionary.debug=true" or "quabe.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcCore)
Q_DECLARE_LOGGING_CATEGORY(lcSymbols)
Q_DECLARE_LOGGING_CATEGORY(lcDocument)
Q_DECLARE_LOGGING_CATEGORY(lcDictionary)
Q_DECLARE_LOGGING_CATEGORY(lcNotation)
Q_DECLARE_LOGGING_CATEGORY(lcFinder)
Q_DECLARE_LOGGING_CATEGORY(lcEditor)

}  // namespace quabe

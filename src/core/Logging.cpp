#include "core/Logging.h"

namespace quabe {

Q_LOGGING_CATEGORY(lcCore, "quabe.core", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSymbols, "quabe.symbols", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDocument, "quabe.document", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDictionary, "quabe.dictionary", QtInfoMsg)
Q_LOGGING_CATEGORY(lcNotation, "quabe.notation", QtInfoMsg)
Q_LOGGING_CATEGORY(lcFinder, "quabe.finder", QtInfoMsg)
Q_LOGGING_CATEGORY(lcEditor, "quabe.editor", QtInfoMsg)

}  // namespace quabe

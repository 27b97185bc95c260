#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

#include "notation/Tokenizer.h"

// Readable failure messages for Qt strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << '[' << list.join(QStringLiteral("\", \"")).prepend('"').append('"').toStdString() << ']';
}
QT_END_NAMESPACE

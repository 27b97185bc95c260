#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>

namespace quabe {

// Produces a file's content on an open device. Returns false to abandon the
// save, with the reason in error when it has one.
using DeviceWriter = std::function<bool(QIODevice& device, QString* error)>;

// Writes the file at path as a whole or not at all: the content goes to a
// temporary file beside it, every write, the flush and the sync to disk are
// checked, and only then does the file take the place of the old one (on
// Linux the directory is synced afterwards, so that the new name survives a
// power loss). On any failure the previous file is left untouched, the
// temporary file is removed and error receives the cause as the system
// states it (for example "No space left on device").
bool saveAtomically(const QString& path, const DeviceWriter& write, QString* error = nullptr);
bool saveAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);

// Makes a rename or a new file in the directory of path durable (fsync of the
// directory on Linux; nothing elsewhere). False when the sync fails.
bool syncDirectoryOf(const QString& path);

}  // namespace quabe

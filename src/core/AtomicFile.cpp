#include "core/AtomicFile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "core/Logging.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quabe {

bool saveAtomically(const QString& path, const DeviceWriter& write, QString* error) {
  QSaveFile file(path);
  const auto fail = [&](QString reason) {
    file.cancelWriting();
    if (reason.isEmpty()) reason = QStringLiteral("the content could not be produced");
    qCWarning(lcCore).noquote() << "cannot save" << path + QStringLiteral(":") << reason;
    if (error) *error = reason;
    return false;
  };
  // The device's own error text is often "Unknown error": the system's, taken
  // right after the step that failed (each step starts with errno cleared), says why.
  const auto cause = [&file] {
    if (errno != 0) return QString::fromLocal8Bit(std::strerror(errno));
    return file.error() != QFileDevice::NoError ? file.errorString() : QString();
  };
  errno = 0;
  if (!file.open(QIODevice::WriteOnly)) return fail(cause());
  QString reason;
  errno = 0;
  const bool written = write(file, &reason);
  if (!written || file.error() != QFileDevice::NoError) return fail(reason.isEmpty() ? cause() : reason);
  // A content smaller than the write buffer reaches the disk only in commit(),
  // whose flush does not report a failure: flush (and sync) while it still counts.
  errno = 0;
  if (!file.flush()) return fail(cause());
#ifdef Q_OS_UNIX
  if (::fsync(file.handle()) != 0) return fail(cause());
#endif
  errno = 0;
  if (!file.commit()) return fail(cause());
  if (!syncDirectoryOf(path)) qCWarning(lcCore).noquote() << "cannot sync the directory of" << path;
  return true;
}

bool saveAtomically(const QString& path, const QByteArray& data, QString* error) {
  return saveAtomically(
      path, [&data](QIODevice& device, QString*) { return device.write(data) == data.size(); }, error);
}

bool syncDirectoryOf(const QString& path) {
#ifdef Q_OS_LINUX
  const QByteArray directory = QFile::encodeName(QFileInfo(path).absolutePath());
  const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
#else
  Q_UNUSED(path);
  return true;
#endif
}

}  // namespace quabe

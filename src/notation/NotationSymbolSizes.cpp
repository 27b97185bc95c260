#include "notation/NotationSymbolSizes.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include "dictionary/Db.h"
#include "symbols/SymbolArchive.h"

namespace quabe {

namespace {
struct SizeCache {
  QMutex mutex;
  QHash<SymbolCode, QSizeF> sizes;
  bool listening = false;
};

SizeCache& cache() {
  static SizeCache instance;
  return instance;
}
}  // namespace

QSizeF NotationSymbolSizes::size(SymbolCode code) {
  SizeCache& c = cache();
  {
    QMutexLocker lock(&c.mutex);
    if (!c.listening) {
      c.listening = true;
      Db::addWriteListener([] { NotationSymbolSizes::clear(); });
    }
    const auto it = c.sizes.constFind(code);
    if (it != c.sizes.constEnd()) return *it;
  }
  QSizeF found = Db::getSizeOfSymbol(SSS::toString(code));
  if (found.isEmpty()) {
    if (const auto image = SymbolArchive::shared().image(code)) found = image->size();
  }
  QMutexLocker lock(&c.mutex);
  c.sizes.insert(code, found);
  return found;
}

void NotationSymbolSizes::clear() {
  SizeCache& c = cache();
  QMutexLocker lock(&c.mutex);
  c.sizes.clear();
}

}  // namespace quabe

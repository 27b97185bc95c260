#include "TestSupport.h"

#include "core/Resources.h"
#include "dictionary/Dictionary.h"
#include "symbols/SymbolArchive.h"

namespace quabe::test {

bool loadSymbolArchive() {
  SymbolArchive& archive = SymbolArchive::shared();
  if (archive.isLoaded()) return true;
  const QString path = Resources::path(QStringLiteral("iswa2010bin"));
  if (path.isEmpty()) return false;
  return archive.loadImageArchive(path) && archive.isLoaded();
}

RecordingAlertSink::RecordingAlertSink() { setAlertSink(this); }
RecordingAlertSink::~RecordingAlertSink() { setAlertSink(nullptr); }

void RecordingAlertSink::alert(const QString& message, const QString& informative) {
  messages << message;
  informativeTexts << informative;
}

int RecordingAlertSink::ask(const QString& message, const QString& informative, const QStringList&, int) {
  messages << message;
  informativeTexts << informative;
  return answer;
}

ScopedDictionary::ScopedDictionary(Dictionary& dictionary, const QString& path)
    : m_dictionary(dictionary), m_previousPath(dictionary.path()) {
  m_dictionary.setPath(path);
}

ScopedDictionary::~ScopedDictionary() { m_dictionary.setPath(m_previousPath); }

}  // namespace quabe::test

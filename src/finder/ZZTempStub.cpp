#include "finder/SignFinderTest.h"
namespace quabe {
QList<SFTestResult> SignFinderTest::collectResults(const QString&, qint64, int, bool) { return {}; }
}  // namespace quabe

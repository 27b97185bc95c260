#include <QApplication>
#include <gtest/gtest.h>

#include "core/Resources.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  QApplication::setOrganizationName("QuabeTests");
  QApplication::setApplicationName("quabe-tests");
  quabe::Resources::registerDefaults();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

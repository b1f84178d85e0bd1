// The Qt drawing tests run headless: a QApplication (the print dialog is a
// widget) on the offscreen platform, whatever the environment says.
#include <gtest/gtest.h>

#include <QApplication>

#include "entity/VEXUtility.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  UsePlainRegionalSettings();
  return RUN_ALL_TESTS();
}

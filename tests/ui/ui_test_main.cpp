#include <gtest/gtest.h>

#include <QApplication>

#include "ui/start_up.h"

// Widget tests need one application object for the whole run; the offscreen
// platform (QT_QPA_PLATFORM=offscreen) keeps them off any display.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kaleidra::InstallScreenReaderRoles();  // as the program's start-up does
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

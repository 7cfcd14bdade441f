#include <gtest/gtest.h>

#include <QApplication>
#include <QPixmap>

#include "ui/main_window.h"

namespace kaleidra {
namespace {

// Saves a picture of the window for a person to look at, when asked to:
// KALEIDRA_SCREENSHOT=path.png.
TEST(Screenshot, SavesTheWindowWhenAsked) {
    const QByteArray path = qgetenv("KALEIDRA_SCREENSHOT");
    if (path.isEmpty()) GTEST_SKIP() << "set KALEIDRA_SCREENSHOT to save a picture";
    TForm1 form;
    form.showNormal();
    form.resize(900, 640);
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    ASSERT_TRUE(form.grab().save(QString::fromLocal8Bit(path)));
}

}  // namespace
}  // namespace kaleidra

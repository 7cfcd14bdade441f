#include <QApplication>
#include <QIcon>

#include "ui/about_box.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kaleidra"));
    // The installed menu entry and icon; without an installation both stay unset.
    QApplication::setDesktopFileName(QStringLiteral("kaleidra"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kaleidra")));
    kaleidra::TForm1 Form1;
    // Created once after the main window, hidden until "Info" is pressed.
    kaleidra::TAboutBox AboutBox(&Form1);
    QObject::connect(&Form1, &kaleidra::TForm1::InfoRequested, &AboutBox, [&AboutBox] {
        AboutBox.Init();
        AboutBox.ShowModal();
    });
    Form1.show();
    return QApplication::exec();
}

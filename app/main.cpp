#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kaleidra"));
    kaleidra::TForm1 Form1;
    Form1.show();
    return QApplication::exec();
}

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

#include "ui/about_box.h"
#include "ui/main_window.h"
#include "ui/start_up.h"

namespace {

// While the toolkit starts, a fatal message (no display, no platform plugin)
// is a user's set-up, not a program fault: say it and end with status 1,
// without an abort and a core dump.
void ExitOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "Kaleidra kann hier kein Fenster öffnen und wird beendet.\n");
        std::fflush(stderr);
        std::_Exit(1);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int answered = kaleidra::AnswerCommandLine(argc, argv); answered >= 0)
        return answered;
    kaleidra::ChooseEventLoop();
    kaleidra::ChoosePlatform();
    qInstallMessageHandler(ExitOnFatal);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);  // from here on a fatal message is a fault

    QApplication::setApplicationName(QStringLiteral("Kaleidra"));
    // The installed menu entry and icon; without an installation both stay unset.
    QApplication::setDesktopFileName(QStringLiteral("kaleidra"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kaleidra")));
    kaleidra::SetUpToolkit(app);
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

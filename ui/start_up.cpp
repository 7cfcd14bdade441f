#include "ui/start_up.h"

#include <wayland-client.h>
#include <xcb/xcb.h>
#include <QAccessibleWidget>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTranslator>

#include <cstdio>
#include <cstring>

#include "kaleidra_version.h"

#include "ui/drawing_area.h"
#include "ui/main_window.h"

namespace kaleidra {

namespace {

// Whether the Wayland compositor offers to draw its clients' title bars
// (xdg-decoration). Asked of the compositor itself, before the toolkit
// connects; without a compositor to ask, nothing is to be decided.
bool CompositorDecorates() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return true;
    bool decorates = false;
    static const wl_registry_listener kListener = {
        [](void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
            if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
                *static_cast<bool*>(data) = true;
        },
        [](void*, wl_registry*, uint32_t) {}};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kListener, &decorates);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return decorates;
}

// Whether the X server named by DISPLAY takes a connection from us.
bool XServerAtHand() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool usable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return usable;
}

constexpr const char* kUsage =
    "Aufruf: kaleidra [Optionen]\n"
    "Zeigt eine Punktwolke in 3D für Anaglyphenbrillen (Rot/Cyan und andere).\n"
    "\n"
    "Optionen:\n"
    "  -h, --help     diese Hilfe zeigen und beenden\n"
    "  -v, --version  Namen und Version zeigen und beenden\n"
    "\n"
    "Tasten im Fenster:\n"
    "  Strg+S  Bild speichern         Strg+C  Bild kopieren\n"
    "  F11     Steuerungspanel aus- und einblenden\n"
    "  Esc     Steuerungspanel nach \"Vollbild\" zurückholen\n"
    "  Strg+Q  beenden\n";

// The toolkit's own options, which it takes from the command line itself:
// those that take a value, and the switches.
constexpr const char* kToolkitOptionsWithValue =
    "platform platformpluginpath platformtheme plugin qmljsdebugger qwindowgeometry qwindowicon "
    "qwindowtitle session display geometry style stylesheet name title visual cmap ncols";
constexpr const char* kToolkitSwitches = "reverse widgetcount nograb dograb sync testability";

// The start button as a check box for a screen reader (see InstallScreenReaderRoles).
class StartButtonRoles final : public QAccessibleWidget {
public:
    explicit StartButtonRoles(QPushButton* button)
        : QAccessibleWidget(button, QAccessible::CheckBox) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? Button()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = Button()->text() == QLatin1String("STOP");
        return state;
    }
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) Button()->click();
        if (name == setFocusAction()) Button()->setFocus(Qt::OtherFocusReason);
    }

private:
    QPushButton* Button() const { return static_cast<QPushButton*>(widget()); }
};

QAccessibleInterface* Roles(const QString&, QObject* object) {
    if (auto* area = qobject_cast<DrawingArea*>(object))
        return new QAccessibleWidget(area, QAccessible::Graphic);
    if (auto* form = qobject_cast<TForm1*>(object))
        return new QAccessibleWidget(form, QAccessible::Window);
    auto* button = qobject_cast<QPushButton*>(object);
    if (button && button->objectName() == QLatin1String("StartButton"))
        return new StartButtonRoles(button);
    return nullptr;
}

}  // namespace

int AnswerCommandLine(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const QString& name : QString::fromLatin1(kToolkitOptionsWithValue).split(u' '))
        parser.addOption(QCommandLineOption(name, {}, QStringLiteral("x")));
    for (const QString& name : QString::fromLatin1(kToolkitSwitches).split(u' '))
        parser.addOption(QCommandLineOption(name));
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString what = !parser.unknownOptionNames().isEmpty()
                                 ? QStringLiteral("unbekannte Option \"%1\"")
                                       .arg(parser.unknownOptionNames().constFirst())
                             : !parser.positionalArguments().isEmpty()
                                 ? QStringLiteral("unerwartetes Argument \"%1\"")
                                       .arg(parser.positionalArguments().constFirst())
                                 : QStringLiteral("Option ohne Wert");
        std::fprintf(stderr, "kaleidra: %s. \"kaleidra --help\" zeigt, was geht.\n",
                     qPrintable(what));
        return 2;
    }
    if (parser.isSet(help)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("Kaleidra %s\n", kFileVersion);
        return 0;
    }
    return -1;
}

void ChooseEventLoop() {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
}

void ChoosePlatform() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY") ||
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    if (!CompositorDecorates() && XServerAtHand()) qputenv("QT_QPA_PLATFORM", "xcb");
}

void InstallScreenReaderRoles() {
    QAccessible::installFactory(Roles);
}

bool SetUpToolkit(QCoreApplication& app) {
    InstallScreenReaderRoles();
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace kaleidra

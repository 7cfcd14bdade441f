#include "ui/start_up.h"

#include <wayland-client.h>
#include <xcb/xcb.h>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstring>

#include "ui/screen_reader_roles.h"

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

}  // namespace

void ChooseEventLoop() {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
}

void ChoosePlatform() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY") ||
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    if (!CompositorDecorates() && XServerAtHand()) qputenv("QT_QPA_PLATFORM", "xcb");
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

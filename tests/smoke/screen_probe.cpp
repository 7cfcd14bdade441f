// Grabs a rectangle of the X screen and counts the pure red (255, 0, 0) and
// cyan (0, 255, 255) pixels in it: the two colours of the default anaglyph
// pair on black. Exits 0 when both reach the threshold.
//   screen_probe X Y WIDTH HEIGHT [MIN_PIXELS] [SAVE.png]

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: screen_probe X Y WIDTH HEIGHT [MIN_PIXELS] [SAVE.png]\n");
        return 2;
    }
    const int x = std::atoi(argv[1]);
    const int y = std::atoi(argv[2]);
    const int w = std::atoi(argv[3]);
    const int h = std::atoi(argv[4]);
    const long min_pixels = argc > 5 ? std::atol(argv[5]) : 20;

    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "screen_probe: no screen\n");
        return 2;
    }
    // Window 0 is the root: what the screen shows, whichever window drew it.
    const QImage shot =
        screen->grabWindow(0, x, y, w, h).toImage().convertToFormat(QImage::Format_RGB32);
    if (argc > 6) shot.save(QString::fromLocal8Bit(argv[6]));

    long red = 0;
    long cyan = 0;
    for (int row = 0; row < shot.height(); ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(shot.constScanLine(row));
        for (int col = 0; col < shot.width(); ++col) {
            const QRgb p = line[col] & 0xFFFFFFu;
            if (p == 0xFF0000u) ++red;
            if (p == 0x00FFFFu) ++cyan;
        }
    }
    std::printf("screen_probe: %dx%d at %d,%d: %ld red, %ld cyan pixels\n", shot.width(),
                shot.height(), x, y, red, cyan);
    return red >= min_pixels && cyan >= min_pixels ? 0 : 1;
}

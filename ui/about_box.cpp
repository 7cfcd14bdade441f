#include "ui/about_box.h"

#include <qdrawutil.h>
#include <QDesktopServices>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include <algorithm>
#include <cmath>

#include "core/control_panel.h"
#include "core/random_source.h"
#include "core/view_transform.h"
#include "kaleidra_version.h"
#include "shapes/shape_library.h"
#include "ui/text_scale.h"
#include "ui/window_placement.h"

namespace kaleidra {

namespace {

constexpr int kClientWidth = 249;
constexpr int kClientHeight = 377;
constexpr int kPictureWidth = 100;
constexpr int kPictureHeight = 51;
constexpr int kPictureShape = 11;  // four rings about the centre
constexpr double kPictureScale = 1.2;
// Room the button's frame and padding take from the link caption's width.
constexpr int kLinkMargin = 10;
// The face the box was designed on, under its black texts.
constexpr QRgb kDesignFace = qRgb(240, 240, 240);
// The least contrast of text with its ground that reads well (WCAG AA).
constexpr double kReadableContrast = 4.5;

// Relative luminance as the contrast formula wants it.
double Luminance(const QColor& colour) {
    auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

void SetTextColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// The link caption: the host of the address, whole on one line. Where the
// desktop's face runs too wide for the button, the face is narrowed just
// enough; a host broken over two lines reads as two addresses.
QString LinkCaption() {
    return QUrl(QString::fromLatin1(kWebAddress)).host();
}

QFont LinkFont(const QString& caption, int room, double scale) {
    QFont font = DesignFont(Scaled(12, scale), true);
    font.setUnderline(true);
    // Hinted glyphs do not narrow in proportion: step down until it fits.
    for (int stretch = 100; stretch > 50; --stretch) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(caption) <= room) break;
    }
    return font;
}

}  // namespace

QImage ProgramPicture(double device_pixel_ratio) {
    // Red/cyan on black with small crosses of one size, and a wider base so
    // that the pair shows apart at this size. No frame runs: the panel's
    // handlers have nothing to run it on.
    ControlPanel panel;
    panel.SetChecked(CheckField::CheckBox3, false);
    panel.Type(SpinField::SpinEdit3, "8");
    panel.Type(SpinField::SpinEdit4, "1");
    // The rings need no random numbers.
    ClockRandomSource random;
    PointSet cloud;
    BuildShape(kPictureShape, cloud, random);
    // A little larger than in the window, so the rings fill the small frame.
    for (int i = 1; i <= kPointCount; ++i) {
        Point3D& p = cloud[i];
        p = {p.x * kPictureScale, p.y * kPictureScale, p.z * kPictureScale};
    }
    // Drawn in the screen's own pixels, so that it stays crisp at any scale.
    RasterSurface raster;
    raster.SetPixelScale(device_pixel_ratio);
    const double scale = raster.PixelScale();
    const int width = static_cast<int>(std::ceil(kPictureWidth * scale));
    const int height = static_cast<int>(std::ceil(kPictureHeight * scale));
    raster.Resize(width, height);
    // Tilted towards the viewer, so the rings show their depth.
    // A picture cut short by a fault would be half a picture: none then.
    if (!DrawStill(cloud, -20, 0, 0, panel, raster)) return QImage();

    QImage picture(width, height, QImage::Format_ARGB32);
    // The bottom-left pixel names the colour that is see-through.
    const std::uint32_t transparent = raster.Bits()[std::size_t(height - 1) * width];
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* in = raster.Bits() + static_cast<std::size_t>(y) * width;
        auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            out[x] = in[x] == transparent ? qRgba(0, 0, 0, 0) : (in[x] | 0xFF000000u);
        }
    }
    picture.setDevicePixelRatio(scale);
    return picture;
}

// ------------------------------------------------------------------ TBevel

TBevel::TBevel(Shape shape, Style style, QWidget* parent)
    : QWidget(parent), shape_(shape), style_(style) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool sunken = style_ == Style::Lowered;
    if (shape_ == Shape::BottomLine) {
        const int y = height() - 2;
        qDrawShadeLine(&painter, 0, y, width() - 1, y, palette(), sunken, 1, 0);
    } else {
        qDrawShadeRect(&painter, rect(), palette(), sunken, 1, 0);
    }
}

// --------------------------------------------------------------- TAboutBox

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), scale_(TextScale()) {
    setWindowTitle(QStringLiteral("Info"));
    setFont(DesignFont(Scaled(11, scale_)));
    setFixedSize(Design(0, 0, kClientWidth, kClientHeight).size());
    // A fixed size: a title and a close button, nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    BuildComponents();

    ReadVersionRecord = [] { return std::optional<QString>(QString::fromLatin1(kFileVersion)); };
    OpenUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    connect(Internet, &QPushButton::clicked, this, &TAboutBox::InternetClick);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::BuildComponents() {
    Panel1 = new QFrame(this);
    Panel1->setGeometry(Design(8, 8, 233, 361));
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);  // lowered outside, raised inside

    ProductName = new QLabel(QStringLiteral("Kaleidra"), Panel1);
    ProductName->setGeometry(Design(8, 8, 203, 32));
    ProductName->setFont(DesignFont(Scaled(27, scale_)));

    Version = new QLabel(QStringLiteral("Version 2.1"), Panel1);
    Version->setGeometry(Design(8, 48, 70, 16));
    Version->setFont(DesignFont(Scaled(13, scale_), true));
    // Linux faces run wider than the one the 70 pixels were measured for.
    Version->resize(std::max(Version->width(), Version->sizeHint().width()), Version->height());

    Dateiversion = new QLabel(Panel1);
    Dateiversion->move(Scaled(8, scale_), Scaled(72, scale_));

    Bevel1 = new TBevel(TBevel::Shape::BottomLine, TBevel::Style::Raised, Panel1);
    Bevel1->setGeometry(Design(8, 104, 217, 8));

    Bevel2 = new TBevel(TBevel::Shape::Frame, TBevel::Style::Raised, Panel1);
    Bevel2->setGeometry(Design(56, 120, 121, 97));

    Copyright = new QLabel(QStringLiteral("© 2026 Kaleidra"), Panel1);
    Copyright->setFont(DesignFont(Scaled(13, scale_)));
    Copyright->move(Scaled(64, scale_), Scaled(128, scale_));
    Copyright->adjustSize();

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setGeometry(Design(64, 152, 100, 51));
    ProgramIcon->setAccessibleName(
        QStringLiteral("Programmbild: vier Punktringe in Rot und Cyan für die Anaglyphenbrille"));

    Internet = new QPushButton(Panel1);
    Internet->setGeometry(Design(56, 240, 121, 57));
    Internet->setCursor(Qt::PointingHandCursor);
    Internet->setAutoDefault(false);  // Enter belongs to "OK"
    Internet->setToolTip(QString::fromLatin1(kWebAddress));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setGeometry(Design(87, 332, 75, 25));
    OKButton->setDefault(true);
}

void TAboutBox::Init() {
    GetVersionInfo();
    Dateiversion->setText(QStringLiteral("Build ") + FileVersion);
    Dateiversion->adjustSize();
    // The picture for the screen the box is shown on, as large as the box.
    QImage picture = ProgramPicture(devicePixelRatioF() * scale_);
    picture.setDevicePixelRatio(devicePixelRatioF());
    ProgramIcon->setPixmap(QPixmap::fromImage(picture));
    SetTextColour(Version, QPalette::WindowText, Qt::black);
    // The black texts need a light ground: under a dark palette the panel
    // that holds them keeps the face it was designed on.
    const bool dark =
        (Luminance(palette().color(QPalette::Window)) + 0.05) / 0.05 < kReadableContrast;
    Panel1->setPalette(dark ? QPalette(QColor(kDesignFace)) : QPalette());
    Panel1->setAutoFillBackground(dark);
    // A screen reader names the box by what it is about, not just "Info".
    setAccessibleName(windowTitle() + QStringLiteral(": ") + ProductName->text() +
                      QStringLiteral(", ") + Version->text());
    Internet->setText(LinkCaption());
    Internet->setFont(
        LinkFont(Internet->text(), Internet->width() - Scaled(kLinkMargin, scale_), scale_));
    SetTextColour(Internet, QPalette::ButtonText, Qt::black);
}

QRect TAboutBox::Design(int left, int top, int width, int height) const {
    return {Scaled(left, scale_), Scaled(top, scale_), Scaled(width, scale_),
            Scaled(height, scale_)};
}

void TAboutBox::GetVersionInfo() {
    if (!ReadVersionRecord) return;
    const std::optional<QString> record = ReadVersionRecord();
    if (!record) return;
    FileVersion = *record;
}

int TAboutBox::ShowModal() {
    CentreOnScreen(*this, parentWidget());
    OKButton->setFocus();
    return exec();
}

void TAboutBox::InternetClick() {
    if (OpenUrl) OpenUrl(QUrl(QString::fromLatin1(kWebAddress)));
}

}  // namespace kaleidra

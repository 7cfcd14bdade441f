#pragma once

// The info box AboutBox: product name, version, build line and a picture of
// the cloud, with a link button to the program's web page. Created once at
// start-up and shown modally whenever "Info" is pressed.

#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

namespace kaleidra {

// The program's web page, opened by the link button.
inline constexpr const char* kWebAddress = "https://kaleidra.example.org/";

// A bevel: a shaded bottom line or a shaded frame, raised or lowered, drawn in
// the palette's light and dark tones like the panel frames around it.
class TBevel : public QWidget {
    Q_OBJECT

public:
    enum class Shape { BottomLine, Frame };
    enum class Style { Raised, Lowered };

    TBevel(Shape shape, Style style, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Shape shape_;
    Style style_;
};

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Prepares the dialog for a showing: reads the version and sets the build
    // line, the version colour and the link caption.
    void Init();
    // Reads the program's file version into FileVersion. A record that cannot
    // be read leaves FileVersion as it was.
    void GetVersionInfo();
    // Centres the dialog on the screen and runs it modally; returns the result.
    int ShowModal();

    // The components, by their names.
    QFrame* Panel1 = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Dateiversion = nullptr;
    TBevel* Bevel1 = nullptr;
    QLabel* Copyright = nullptr;
    TBevel* Bevel2 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QPushButton* Internet = nullptr;
    QPushButton* OKButton = nullptr;

    // The file version as last read; starts empty and keeps its value between
    // showings.
    QString FileVersion;

    // Where the version comes from: the build's own version by default. An
    // empty optional stands for a record that could not be read.
    std::function<std::optional<QString>()> ReadVersionRecord;
    // Opens a web address; QDesktopServices::openUrl by default. Its result
    // is ignored: a link that does not open is no error for the dialog.
    std::function<bool(const QUrl&)> OpenUrl;

public slots:
    void InternetClick();

private:
    void BuildComponents();
    // A rectangle of the design at the scale of the desktop's font.
    QRect Design(int left, int top, int width, int height) const;

    const double scale_;
};

// The picture inside the info box: four rings of points drawn by the program's
// own anaglyph renderer into a 100 x 51 raster, its background transparent;
// for a scaled screen in that screen's pixels, with its device pixel ratio.
QImage ProgramPicture(double device_pixel_ratio = 1.0);

}  // namespace kaleidra

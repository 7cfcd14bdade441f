#include <gtest/gtest.h>

#include <cmath>

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <optional>
#include <vector>

#include "ui/about_box.h"

namespace kaleidra {
namespace {

// Runs the dialog modally; `while_open` runs once it is up and must close it.
// A second timer rejects it should the first fail, so a fault cannot hang the run.
int RunModal(TAboutBox& box, std::function<void()> while_open) {
    QPointer<TAboutBox> guard(&box);
    QTimer::singleShot(0, &box, std::move(while_open));
    QTimer::singleShot(5000, &box, [guard] {
        if (guard && guard->isVisible()) guard->reject();
    });
    box.Init();
    return box.ShowModal();
}

TEST(AboutBox, ShowsNameVersionAndTheSameBuildLineAtEveryShowing) {
    TAboutBox box;
    for (int showing = 1; showing <= 2; ++showing) {
        SCOPED_TRACE(showing);
        QString seen;
        const int result = RunModal(box, [&] {
            seen = box.Dateiversion->text();
            box.OKButton->click();
        });
        EXPECT_EQ(result, QDialog::Accepted);
        EXPECT_EQ(seen, QStringLiteral("Build 2.1.0.0"));
        EXPECT_FALSE(box.isVisible());
    }
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Info"));
    EXPECT_EQ(box.ProductName->text(), QStringLiteral("Kaleidra"));
    EXPECT_EQ(box.Version->text(), QStringLiteral("Version 2.1"));
    EXPECT_EQ(box.Version->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_TRUE(box.Copyright->text().contains(QStringLiteral("Kaleidra")));
    EXPECT_EQ(box.Internet->text(), QStringLiteral("kaleidra.example.org")) << "one line";
    EXPECT_EQ(box.OKButton->text(), QStringLiteral("OK"));
    EXPECT_TRUE(box.OKButton->isDefault());
    EXPECT_FALSE(box.Internet->autoDefault());
}

TEST(AboutBox, IsModalCentredAndOfFixedSize) {
    TAboutBox box;
    bool modal = false;
    QRect geometry;
    const int result = RunModal(box, [&] {
        modal = QApplication::activeModalWidget() == &box;
        geometry = box.geometry();
        box.OKButton->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(modal);
    EXPECT_EQ(geometry.size(), QSize(249, 377));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((geometry.center() - centre).manhattanLength(), 4);
}

TEST(AboutBox, UnreadableVersionRecordKeepsTheLastValue) {
    TAboutBox box;
    std::vector<std::optional<QString>> records = {std::nullopt, QStringLiteral("2.1.0.0"),
                                                   std::nullopt, QString()};
    std::size_t next = 0;
    box.ReadVersionRecord = [&] { return records.at(next++); };

    box.Init();
    EXPECT_EQ(box.Dateiversion->text(), QStringLiteral("Build "));  // nothing read yet
    box.Init();
    EXPECT_EQ(box.Dateiversion->text(), QStringLiteral("Build 2.1.0.0"));
    box.Init();
    EXPECT_EQ(box.Dateiversion->text(), QStringLiteral("Build 2.1.0.0"));  // kept
    box.Init();
    EXPECT_EQ(box.Dateiversion->text(), QStringLiteral("Build "));  // read, but empty
}

TEST(AboutBox, LinkButtonOpensTheWebPageAndIgnoresFailure) {
    TAboutBox box;
    std::vector<QUrl> opened;
    box.OpenUrl = [&](const QUrl& url) {
        opened.push_back(url);
        return false;  // no browser: nothing to report
    };
    box.Init();
    box.Internet->click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://kaleidra.example.org/")));

    // The link leaves the dialog open; "OK" still closes it.
    const int result = RunModal(box, [&] {
        box.Internet->click();
        EXPECT_TRUE(box.isVisible());
        box.OKButton->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(opened.size(), 2u);
}

// In dialog coordinates, as the design places them.
QRect Placed(const TAboutBox& box, const QWidget* widget) {
    return QRect(widget->mapTo(&box, QPoint(0, 0)), widget->size());
}

TEST(AboutBox, ComponentsSitAtTheirPlacesAndTextsFit) {
    TAboutBox box;
    box.Init();
    EXPECT_EQ(Placed(box, box.Panel1), QRect(8, 8, 233, 361));
    EXPECT_EQ(Placed(box, box.ProductName), QRect(16, 16, 203, 32));
    EXPECT_EQ(Placed(box, box.Version).topLeft(), QPoint(16, 56));
    EXPECT_EQ(Placed(box, box.Dateiversion).topLeft(), QPoint(16, 80));
    EXPECT_EQ(Placed(box, box.Bevel1), QRect(16, 112, 217, 8));
    EXPECT_EQ(Placed(box, box.Bevel2), QRect(64, 128, 121, 97));
    EXPECT_EQ(Placed(box, box.Copyright).topLeft(), QPoint(72, 136));
    EXPECT_EQ(Placed(box, box.ProgramIcon), QRect(72, 160, 100, 51));
    EXPECT_EQ(Placed(box, box.Internet), QRect(64, 248, 121, 57));
    EXPECT_EQ(Placed(box, box.OKButton), QRect(87, 332, 75, 25));

    // Nothing clipped: labels as wide as their text, the copyright inside the
    // picture frame, each line of the link caption inside its button.
    for (const QLabel* label : {box.ProductName, box.Version, box.Dateiversion, box.Copyright}) {
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_GE(label->width(), label->sizeHint().width());
    }
    EXPECT_LE(Placed(box, box.Copyright).right(), Placed(box, box.Bevel2).right() - 2);
    const QFontMetrics link(box.Internet->font());
    for (const QString& line : box.Internet->text().split(QLatin1Char('\n'))) {
        EXPECT_LT(link.horizontalAdvance(line), box.Internet->width() - 8) << line.toStdString();
    }
}

TEST(AboutBox, PictureIsAnAnaglyphCloudOnATransparentGroundCrispAtEveryScale) {
    for (const double scale : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(scale);
        const QImage picture = ProgramPicture(scale);
        ASSERT_EQ(picture.size(), QSize(std::ceil(100 * scale), std::ceil(51 * scale)));
        ASSERT_EQ(picture.devicePixelRatio(), scale);
        EXPECT_TRUE(picture.hasAlphaChannel());
        int red = 0, cyan = 0, clear = 0, other = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb p = picture.pixel(x, y);
                if (qAlpha(p) == 0) {
                    ++clear;
                } else if (p == qRgb(255, 0, 0)) {
                    ++red;
                } else if (p == qRgb(0, 255, 255)) {
                    ++cyan;
                } else if (p != qRgb(255, 255, 255)) {
                    ++other;  // a blend: what smoothing leaves
                }
            }
        }
        EXPECT_GT(red, 20 * scale * scale);
        EXPECT_GT(cyan, 20 * scale * scale);
        EXPECT_EQ(other, 0);
        EXPECT_GT(clear, picture.width() * picture.height() / 2);  // a cloud, not a filled box
        EXPECT_EQ(ProgramPicture(scale), picture);                 // the same on every start
    }
}

// Saves a picture of the dialog for a person to look at, when asked to:
// KALEIDRA_ABOUT_SCREENSHOT=path.png.
}  // namespace
}  // namespace kaleidra

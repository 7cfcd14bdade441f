#include <gtest/gtest.h>

#include <unistd.h>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <cmath>
#include <cstring>
#include <fstream>
#include <memory>

#include "core/control_defaults.h"
#include "ui/main_window.h"
#include "ui/start_up.h"

namespace kaleidra {
namespace {

// A fresh window with the animation stopped, so that only the test runs frames.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.scene().StartButtonClick();
        ASSERT_FALSE(form.Timer1.isActive());
        // The very first frame restores the defaults inside its camera set-up;
        // get it behind us so that each test sees only its own changes.
        form.scene().Modell_Ausgabe();
    }

    // How far the cloud has travelled from the origin, in morph steps of 1:
    // the number of frames run since start-up (while fewer than the
    // distance to the farthest target).
    int FramesSoFar() {
        double farthest = 0;
        for (int i = 1; i <= kPointCount; ++i) {
            const Point3D& p = form.scene().MorphSet[i];
            farthest = std::max({farthest, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
        }
        return static_cast<int>(farthest);
    }

    TForm1 form;
};

struct SpinCase {
    SpinField field;
    const char* label;  // also what a screen reader announces, but for X, Y, Z
    int minimum;
    int maximum;
    int standard;
    const char* hint;
};

const SpinCase kSpinCases[] = {
    {SpinField::SpinEdit6, "Rotation X", -10, 10, 0,
     "Rotationsgeschwindikeit und Drehrichtung X-Achse [-10..10]"},
    {SpinField::SpinEdit1, "Rotation Y", -10, 10, 2,
     "Rotationsgeschwindikeit und Drehrichtung Y-Achse [-10..10]"},
    {SpinField::SpinEdit7, "Rotation Z", -10, 10, 0,
     "Rotationsgeschwindikeit und Drehrichtung z-Achse [-10..10]"},
    {SpinField::SpinEdit2, "Wechsel", 0, 50, 6,
     "Geschwindigkeit des Modellwechsels festlegen [0..50] (0 = kein Modellwechsel, nur "
     "Rotation)"},
    {SpinField::SpinEdit5, "Morph", 0, 10, 1,
     "Geschwindigkeit des Morphingprozesses festlegen [0..10]"},
    {SpinField::SpinEdit8, "Position", -10, 10, 0,
     "Positionsänderung der Kamera (negative Werte verringern Abstand zum Objekt) [-10..10]"},
    {SpinField::SpinEdit3, "Basis", -10, 10, 4, "Breite der Stereobasis festlegen [-10..10]"},
    {SpinField::SpinEdit9, "Ebene", -20, 20, 0,
     "Tiefe des Objektes bzgl. Bildebene festlegen [-20 ..20]"},
    {SpinField::SpinEdit4, "Größe", 1, 10, 4, "Größe der Einzelpunkte in Pixel festlegen [1..10]"},
};

QString AccessibleText(QWidget* widget, QAccessible::Text kind) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(kind) : QString();
}

TEST_F(MainWindowTest, EverySpinFieldHasItsRangeDefaultAndHint) {
    for (const SpinCase& c : kSpinCases) {
        TSpinEdit* spin = form.Spin(c.field);
        EXPECT_EQ(spin->MinValue(), c.minimum) << c.label;
        EXPECT_EQ(spin->MaxValue(), c.maximum) << c.label;
        EXPECT_EQ(spin->Value(), c.standard) << c.label;
        EXPECT_EQ(spin->toolTip(), QString::fromUtf8(c.hint)) << c.label;
        EXPECT_EQ(spin->size(), QSize(41, 22)) << c.label;
        EXPECT_EQ(AccessibleText(spin, QAccessible::Name), QString::fromUtf8(c.label));
        // What a screen reader reads as the field's value, range and step.
        QAccessibleValueInterface* value =
            QAccessible::queryAccessibleInterface(spin)->valueInterface();
        ASSERT_NE(value, nullptr) << c.label;
        EXPECT_EQ(value->currentValue().toInt(), c.standard) << c.label;
        EXPECT_EQ(value->minimumValue().toInt(), c.minimum) << c.label;
        EXPECT_EQ(value->maximumValue().toInt(), c.maximum) << c.label;
        EXPECT_EQ(value->minimumStepSize().toInt(), 1) << c.label;
    }
    form.SpinEdit4->SetText(QStringLiteral("-"));  // reads as the minimum, as the frames do
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.SpinEdit4)
                  ->valueInterface()
                  ->currentValue()
                  .toInt(),
              1);
}

TEST_F(MainWindowTest, ScreenReadersFindANameForEveryControlAndADescribedPicture) {
    for (QWidget* control : form.findChildren<QWidget*>()) {
        if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QGroupBox*>(control))
            continue;
        EXPECT_FALSE(AccessibleText(control, QAccessible::Name).trimmed().isEmpty())
            << control->metaObject()->className();
    }
    EXPECT_EQ(AccessibleText(form.RadioGroup2, QAccessible::Name),
              QStringLiteral("Anaglyph | Effekt"));
    EXPECT_FALSE(AccessibleText(form.Image1, QAccessible::Description).isEmpty());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.Image1)->role(), QAccessible::Graphic);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&form)->role(), QAccessible::Window);
}

TEST_F(MainWindowTest, TheToolkitsOwnTextsAreGerman) {
    ASSERT_TRUE(SetUpToolkit(*qApp)) << "qtbase_de from qt6-translations-l10n";
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Paste"), QStringLiteral("Einf&ügen"));
    EXPECT_EQ(QCoreApplication::translate("QAbstractSpinBox", "&Step up"),
              QStringLiteral("&Inkrementieren"));
    QTranslator* german = qApp->findChild<QTranslator*>();  // the other tests read Qt's own
    QCoreApplication::removeTranslator(german);
    delete german;
}

// Minimised, the window runs no frames; shown again, it goes on, and the
// start button said STOP all along.
TEST_F(MainWindowTest, NoFrameRunsWhileTheWindowIsMinimised) {
    form.StartButtonClick();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_TRUE(form.Timer1.isActive());
    form.showMinimized();
    QApplication::processEvents();
    EXPECT_FALSE(form.Timer1.isActive());
    EXPECT_EQ(form.StartButton->text(), QStringLiteral("STOP"));
    form.StartButtonClick();  // stopped while minimised stays stopped when shown
    form.showNormal();
    QApplication::processEvents();
    EXPECT_FALSE(form.Timer1.isActive());
    form.StartButtonClick();
    EXPECT_TRUE(form.Timer1.isActive());
}

TEST_F(MainWindowTest, CaptionsItemsAndHintsAreTheGermanTexts) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kaleidra"));
    EXPECT_EQ(form.RadioGroup1->title(), QStringLiteral(" Hintergrund "));
    EXPECT_EQ(form.RadioGroup1->Items(), (QStringList{"schwarz", "weiss"}));
    EXPECT_EQ(form.RadioGroup2->title(), QStringLiteral(" Anaglyph | Effekt "));
    EXPECT_EQ(form.RadioGroup2->Items(),
              (QStringList{"Rot/Cyan", "Rot/Blau", "Rot/Grün", "Magenta/Grün", "Grün/Blau",
                           "Gelb/Blau", "Chroma", "Pulfrich", "Grau"}));
    EXPECT_EQ(form.GroupBox2->title(), QStringLiteral(" Geschwindigkeit "));
    EXPECT_EQ(form.GroupBox3->title(), QStringLiteral(" Projektion "));
    EXPECT_EQ(form.GroupBox4->title(), QStringLiteral(" Objekt "));
    EXPECT_EQ(form.Label1->text(), QStringLiteral("Rotation:"));
    EXPECT_EQ(form.Label2->text(), QStringLiteral("Wechsel"));
    EXPECT_EQ(form.Label3->text(), QStringLiteral("Größe"));
    EXPECT_EQ(form.Label4->text(), QStringLiteral("Morph"));
    EXPECT_EQ(form.Label5->text(), QStringLiteral("Basis"));
    EXPECT_EQ(form.Label9->text(), QStringLiteral("Position"));
    EXPECT_EQ(form.Label10->text(), QStringLiteral("Ebene"));
    EXPECT_EQ(form.RadioButton1->text(), QStringLiteral("parallel"));
    EXPECT_EQ(form.RadioButton2->text(), QStringLiteral("direkt"));
    EXPECT_EQ(form.CheckBox1->text(), QStringLiteral("Zufall Objekte"));
    EXPECT_EQ(form.CheckBox2->text(), QStringLiteral("Zufall Punkte"));
    EXPECT_EQ(form.CheckBox3->text(), QStringLiteral("dynam. Größe"));
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Info"));
    EXPECT_EQ(form.Button2->text(), QStringLiteral("Vollbild"));
    EXPECT_EQ(form.Button3->text(), QStringLiteral("Standard"));

    const QString projection = QStringLiteral(
        "parallel (Parallelverschiebung der Kamera) oder direkt (Kamera zeigt auf "
        "Objektmittelpunkt)");
    EXPECT_EQ(form.RadioGroup1->toolTip(),
              QStringLiteral("Auswahl der Hintergrundfarbe (schwarz oder weiss)"));
    EXPECT_EQ(form.RadioGroup2->toolTip(),
              QStringLiteral("Auswahl der Anaglyphen-Farbkombination, Chroma oder Pulfrich"));
    EXPECT_EQ(form.RadioButton1->toolTip(), projection);
    EXPECT_EQ(form.RadioButton2->toolTip(), projection);
    EXPECT_EQ(form.CheckBox1->toolTip(),
              QStringLiteral("Objektauswahl (zufällig oder feste Reihenfolge)"));
    EXPECT_EQ(
        form.CheckBox2->toolTip(),
        QStringLiteral("Punkteverteilung innerhalb des Objektes  (zufällig oder feste Position)"));
    EXPECT_EQ(
        form.CheckBox3->toolTip(),
        QStringLiteral("dynamische Größenanpassung der Punkte in Abhängigkeit von der Entfernung"));
    EXPECT_EQ(form.StartButton->toolTip(),
              QStringLiteral("Start und Stop der Rotation und des Morphingprozesses"));
    EXPECT_EQ(form.Button3->toolTip(),
              QStringLiteral("Standardwerte für alle Parameter herstellen"));
    EXPECT_EQ(form.Button2->toolTip(),
              QStringLiteral("Ausblenden des Steuerungspanels (= Mausklick im Anzeigefenster)"));
    EXPECT_EQ(form.Button1->toolTip(), QStringLiteral("Anzeige Programminfo"));
}

TEST_F(MainWindowTest, ChoicesStartAtTheirDefaultsAndTheButtonReadsStop) {
    TForm1 fresh;
    EXPECT_EQ(fresh.StartButton->text(), QStringLiteral("STOP"));
    EXPECT_TRUE(fresh.Timer1.isActive());
    EXPECT_EQ(fresh.Timer1.interval(), 20);
    EXPECT_EQ(fresh.RadioGroup1->ItemIndex(), 0);
    EXPECT_EQ(fresh.RadioGroup2->ItemIndex(), 0);
    EXPECT_TRUE(fresh.RadioButton1->isChecked());
    EXPECT_FALSE(fresh.RadioButton2->isChecked());
    EXPECT_TRUE(fresh.CheckBox1->isChecked());
    EXPECT_FALSE(fresh.CheckBox2->isChecked());
    EXPECT_TRUE(fresh.CheckBox3->isChecked());
    EXPECT_TRUE(fresh.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(fresh.StartButton->font().bold());
    EXPECT_EQ(fresh.StartButton->font().pixelSize(), 13);
    EXPECT_EQ(fresh.font().pixelSize(), 11);
    // The drawing area fills the client area, cleared to the background.
    const RasterSurface& image = fresh.scene().Image1;
    EXPECT_EQ(fresh.Image1->geometry(), fresh.rect());
    ASSERT_EQ(QSize(image.Width(), image.Height()), fresh.Image1->size());
    EXPECT_EQ(image.Pixel(0, 0), 0x000000u);
    EXPECT_EQ(image.Pixel(image.Width() - 1, image.Height() - 1), 0x000000u);

    QTest::mouseClick(fresh.StartButton, Qt::LeftButton);
    EXPECT_FALSE(fresh.Timer1.isActive());
    EXPECT_EQ(fresh.StartButton->text(), QStringLiteral("START"));
    QTest::mouseClick(fresh.StartButton, Qt::LeftButton);
    EXPECT_TRUE(fresh.Timer1.isActive());
    EXPECT_EQ(fresh.StartButton->text(), QStringLiteral("STOP"));
}

// The window goes while a box of its own holds the focus: the focus leaves
// as the box goes, when the window is half gone (the sanitizers see any call
// into it).
TEST(MainWindowLifetime, GoesWhileABoxOfItsOwnHoldsTheFocus) {
    auto form = std::make_unique<TForm1>();
    auto* box = new QMessageBox(QMessageBox::Critical, {}, {}, QMessageBox::Ok, form.get());
    box->show();
    box->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(box));
    box->button(QMessageBox::Ok)->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), box->button(QMessageBox::Ok));
    form.reset();
}

TEST_F(MainWindowTest, ButtonBoxMovesUnderThePanelOnlyWhenTheWindowIsTallerThan721) {
    form.resize(679, 721);
    form.LayoutForHeight();
    EXPECT_EQ(form.GroupBox6->geometry(), QRect(128, 0, 97, 145));
    EXPECT_EQ(form.StartButton->x(), 8);

    form.resize(679, 722);
    form.LayoutForHeight();
    EXPECT_EQ(form.GroupBox6->geometry(), QRect(0, 566, 121, 145));
    for (QPushButton* button : {form.StartButton, form.Button1, form.Button2, form.Button3}) {
        EXPECT_EQ(button->x(), 20) << "(121 - 81) div 2";
        EXPECT_EQ(button->size(), QSize(81, 25));
    }
}

TEST_F(MainWindowTest, AWindowShrunkToNothingKeepsThePanelWholeAndTheAreaFilled) {
    form.showNormal();
    form.resize(4, 4);
    QApplication::processEvents();
    EXPECT_EQ(form.size(), QSize(225, 561)) << "the panel and the button box beside it";
    EXPECT_EQ(form.Image1->geometry(), form.rect());
    EXPECT_EQ(form.scene().Image1.Width(), 225);
    form.RadioGroup1->SetItemIndex(1);  // runs a frame
    EXPECT_EQ(form.StartButton->text(), QStringLiteral("START")) << "no fault, no recovery";
}

TEST_F(MainWindowTest, AnEffectChangeWhileStoppedDrawsOneFrameWithoutTurning) {
    const int frames = FramesSoFar();
    const int angle = form.scene().AngleY;
    QTest::mouseClick(form.RadioGroup2->Item(6), Qt::LeftButton);
    EXPECT_EQ(form.RadioGroup2->ItemIndex(), 6);
    EXPECT_EQ(FramesSoFar(), frames + 1);
    EXPECT_EQ(form.scene().AngleY, angle);
}

TEST_F(MainWindowTest, PulfrichGreysOutBaseAndPlaneAndZeroesThePlane) {
    form.SpinEdit9->SetValue(7);
    form.RadioGroup2->SetItemIndex(7);
    EXPECT_EQ(form.SpinEdit9->Value(), 0);
    EXPECT_FALSE(form.SpinEdit3->isEnabled());
    EXPECT_FALSE(form.SpinEdit9->isEnabled());
    form.SpinEdit9->SetValue(5);
    form.RadioGroup2->SetItemIndex(2);
    EXPECT_TRUE(form.SpinEdit3->isEnabled());
    EXPECT_TRUE(form.SpinEdit9->isEnabled());
    EXPECT_EQ(form.SpinEdit9->Value(), 5);
}

TEST_F(MainWindowTest, StandardRunsFramesOnlyForTheChangedBackgroundEffectBaseAndSize) {
    form.RadioGroup1->SetItemIndex(1);
    form.SpinEdit3->SetValue(7);
    form.SpinEdit1->SetValue(-5);
    form.CheckBox2->setChecked(true);
    const int frames = FramesSoFar();
    QTest::mouseClick(form.Button3, Qt::LeftButton);
    EXPECT_EQ(FramesSoFar(), frames + 2)
        << "background and base changed, nothing else with a handler";
    EXPECT_EQ(form.RadioGroup1->ItemIndex(), 0);
    EXPECT_EQ(form.SpinEdit3->Value(), 4);
    EXPECT_EQ(form.SpinEdit1->Value(), 2);
    EXPECT_FALSE(form.CheckBox2->isChecked());

    const int again = FramesSoFar();
    form.SpinEdit1->SetValue(3);  // a rotation speed alone waits for the next tick
    QTest::mouseClick(form.Button3, Qt::LeftButton);
    EXPECT_EQ(FramesSoFar(), again);
    EXPECT_EQ(form.SpinEdit1->Value(), 2);
}

TEST_F(MainWindowTest, FullScreenHidesThePanelAndAPressOnTheDrawingToggles) {
    form.showNormal();
    QTest::mouseClick(form.Button2, Qt::LeftButton);
    EXPECT_FALSE(form.GroupBox1->isVisible());
    EXPECT_FALSE(form.GroupBox6->isVisible());
    QTest::mousePress(form.Image1, Qt::RightButton, {}, QPoint(300, 200));
    EXPECT_TRUE(form.GroupBox1->isVisible());
    EXPECT_TRUE(form.GroupBox6->isVisible());
    QTest::mousePress(form.Image1, Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_FALSE(form.GroupBox1->isVisible());
    EXPECT_FALSE(form.GroupBox6->isVisible());
}

TEST_F(MainWindowTest, EnterMovesOnCommitsTheTypedValueAndStillBeeps) {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.SpinEdit1->setFocus();
    form.SpinEdit1->selectAll();
    QTest::keyClicks(form.SpinEdit1, QStringLiteral("15"));
    EXPECT_EQ(form.SpinEdit1->Value(), 15);
    QSignalSpy refused(form.SpinEdit1, &TSpinEdit::KeyRefused);
    QTest::keyClick(form.SpinEdit1, Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), form.SpinEdit1);
    EXPECT_EQ(form.SpinEdit1->text(), QStringLiteral("10"));
    EXPECT_EQ(refused.count(), 1);
}

TEST_F(MainWindowTest, TypedOutOfRangeSpeedTurnsByItUntilTheFieldIsLeft) {
    form.SpinEdit1->SetText(QStringLiteral("15"));
    form.scene().Busy = true;  // ticks without frames
    const int angle = form.scene().AngleY;
    form.scene().Timer1Timer();
    EXPECT_EQ(form.scene().AngleY, (angle - 15) % 360);
    form.SpinEdit1->SetText(QStringLiteral("abc"));
    form.scene().Timer1Timer();
    EXPECT_EQ(form.scene().AngleY, (angle - 15 + 10) % 360) << "unparsable reads as -10";
    form.scene().Busy = false;
}

// Makes the next frame fail: a camera distance of 0 in "direkt".
void PrepareAFault(TForm1& form) {
    form.RadioButton2->setChecked(true);
    form.SpinEdit8->SetText(QStringLiteral("-13"));
}

long ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// One box for every fault of the run: a new box a fault left about 1.8 KB
// behind in the toolkit's icon cache.
TEST_F(MainWindowTest, AThousandErrorBoxesShareOneBoxAndKeepMemoryFlat) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's quarantine keeps freed memory resident";
#endif
    QPointer<QMessageBox> first;
    int boxes = 0;
    int others = 0;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (boxes++ == 0) first = box;
            others += box != first;
            if (QTest::qWaitForWindowExposed(box)) QApplication::processEvents();  // painted
            box->buttons().value(0)->click();
        }
    });
    closer.start();
    long before = 0;
    for (int fault = 0; fault < 1100; ++fault) {
        if (fault == 100) before = ResidentKilobytes();  // after the caches have filled
        PrepareAFault(form);
        form.RadioGroup1->SetItemIndex(1);  // the recovery sets it back to 0
    }
    EXPECT_EQ(boxes, 1100);
    EXPECT_EQ(others, 0);
    ASSERT_FALSE(first.isNull()) << "kept for the next fault";
    EXPECT_EQ(first->parentWidget(), &form) << "transient for the window";
    EXPECT_LT(ResidentKilobytes() - before, 300) << "KB over 1000 boxes";
}

// The recovery's box, as the user meets it: closed with its one button.
// Ctrl+S and Ctrl+C keep the raster's own pixels (run once more at 150 %); a
// file that cannot be written says so and leaves nothing behind; a field
// being edited keeps Ctrl+C for its text.
TEST_F(MainWindowTest, SavedAndCopiedPicturesAreTheRastersPixels) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.scene().Modell_Ausgabe();
    const RasterSurface& raster = form.scene().Image1;
    const QImage picture = form.Picture();
    ASSERT_EQ(picture.size(), QSize(raster.Width(), raster.Height()));
    for (int y = 0; y < raster.Height(); ++y)
        ASSERT_EQ(
            std::memcmp(picture.constScanLine(y), raster.Bits() + std::size_t(y) * raster.Width(),
                        std::size_t(raster.Width()) * 4),
            0)
            << y;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bild.png"));
    ASSERT_TRUE(form.SavePictureTo(picture, path));
    const QImage saved(path);
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_EQ(saved.text(QStringLiteral("Software")), QStringLiteral("Kaleidra 2.1.0.0"));
    EXPECT_EQ(saved.text(QStringLiteral("Effekt")), QStringLiteral("Rot/Cyan"));
    const QString unwritable = dir.filePath(QStringLiteral("fehlt/bild.png"));
    EXPECT_FALSE(form.SavePictureTo(picture, unwritable));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("bild.png")});
    bool told = false;
    for (QMessageBox* box : form.findChildren<QMessageBox*>()) {
        told = told || (box->isVisible() && box->text().contains(unwritable));
        box->accept();
    }
    EXPECT_TRUE(told) << "a box names the file that could not be written";

    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.Image1->setFocus();
    QTest::keyClick(form.Image1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);
    form.SpinEdit4->setFocus();
    form.SpinEdit4->selectAll();
    QTest::keyClick(form.SpinEdit4, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("4"));
}

TEST_F(MainWindowTest, AFailingFrameShowsTheErrorBoxAndRestoresTheDefaults) {
    QStringList boxes;  // title, text, icon, buttons, modal: each box as it showed
    QTimer closer;
    closer.setInterval(5);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        QStringList buttons;
        for (QAbstractButton* button : box->buttons())
            buttons << button->text();
        boxes << QStringLiteral("%1|%2|%3|%4|%5")
                     .arg(box->windowTitle(), box->text(), QString::number(box->icon()),
                          buttons.join(','), QString::number(box->isModal()));
        box->buttons().value(0)->click();
    });
    closer.start();
    form.SpinEdit9->SetValue(6);
    PrepareAFault(form);
    form.RadioGroup1->SetItemIndex(1);  // the frame that fails

    EXPECT_EQ(boxes, QStringList{QStringLiteral(
                         "Fehler|Falscher Eingabewert! Standardwerte werden benutzt!|3|OK|1")})
        << "3: Critical";
    EXPECT_EQ(form.StartButton->text(), QStringLiteral("STOP"))
        << "running again, although stopped before";
    EXPECT_TRUE(form.Timer1.isActive());
    EXPECT_TRUE(form.RadioButton1->isChecked());
    EXPECT_EQ(form.SpinEdit8->Value(), 0);
    EXPECT_EQ(form.SpinEdit9->Value(), 0);
    EXPECT_EQ(form.scene().ShapeNo, 1);
    EXPECT_EQ(form.scene().MorphSet, PointSet{});
}

}  // namespace
}  // namespace kaleidra

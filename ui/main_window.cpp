#include "ui/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>

#include "ui/picture_export.h"

namespace kaleidra {

namespace {

constexpr QRect kDesignGeometry(307, 130, 679, 597);
constexpr int kSpinWidth = 41;
constexpr int kSpinHeight = 22;
constexpr int kCheckWidth = 89;
constexpr int kCheckHeight = 17;
constexpr int kRadioWidth = 73;
constexpr int kRadioHeight = 17;
constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 25;

QStringList BackgroundItems() {
    return {QStringLiteral("schwarz"), QStringLiteral("weiss")};
}

QStringList EffectItems() {
    return {
        QStringLiteral("Rot/Cyan"),     QStringLiteral("Rot/Blau"),  QStringLiteral("Rot/Grün"),
        QStringLiteral("Magenta/Grün"), QStringLiteral("Grün/Blau"), QStringLiteral("Gelb/Blau"),
        QStringLiteral("Chroma"),       QStringLiteral("Pulfrich"),  QStringLiteral("Grau")};
}

QColor ButtonFace() {
    return QApplication::palette().color(QPalette::Window);
}

// Linux sans-serif faces run wider than the classic 11-pixel face the panel
// was laid out for; a slightly narrowed face keeps "Zufall Objekte" within
// its 89-pixel check box.
constexpr int kPanelStretch = 85;

}  // namespace

TForm1::TForm1() {
    setWindowTitle(QStringLiteral("Kaleidra"));
    setFont(DesignFont(Scaled(11, scale_), false, kPanelStretch));
    setGeometry(kDesignGeometry);
    BuildControls();
    toolkit_.Show(*this, *Image1, *StartButton);
    ConnectHandlers();
    AddShortcuts();
    panel_.Attach(&gate_);
    panel_.Observe(this);  // the controls are there to show it
    Init();
}

// The controls then go with `controls_`, before the panel and the scene they
// show; leaving a field on the way runs no frame. The focus that leaves them,
// or a box of the window, as they go is no longer the window's business.
TForm1::~TForm1() {
    Timer1.stop();
    qApp->removeEventFilter(this);
    disconnect(&visibility_, nullptr, this, nullptr);
    disconnect(qApp, nullptr, this, nullptr);
    panel_.Observe(nullptr);
    panel_.Attach(nullptr);
}

// ---------------------------------------------------------------- controls

void TForm1::BuildControls() {
    controls_ = std::make_unique<QWidget>(this);
    Image1 = new DrawingArea(scene_.Image1, controls_.get());
    Image1->setGeometry(0, 0, 649, 496);
    Image1->setFocusPolicy(Qt::ClickFocus);  // where the focus rests while the panel is hidden

    // The panel scrolls on a screen too short for it (FitPanel).
    PanelScroll = new QScrollArea(controls_.get());
    PanelScroll->setFrameShape(QFrame::NoFrame);
    PanelScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GroupBox1 = new QGroupBox;
    GroupBox1->setGeometry(Design(0, 0, 121, 561));

    RadioGroup1 = new RadioGroup(GroupBox1);
    RadioGroup1->setGeometry(Design(8, 6, 105, 46));
    RadioGroup1->SetItems(BackgroundItems());
    RadioGroup1->SetItemIndex(panel_.RadioGroup1());

    RadioGroup2 = new RadioGroup(GroupBox1);
    RadioGroup2->setGeometry(Design(8, 53, 105, 136));
    RadioGroup2->SetItems(EffectItems());
    RadioGroup2->SetItemIndex(panel_.RadioGroup2());

    GroupBox2 = new QGroupBox(GroupBox1);
    GroupBox2->setGeometry(Design(8, 190, 105, 151));
    Label1 = AddLabel(GroupBox2, 8, 16);
    Label6 = AddLabel(GroupBox2, 32, 32);
    SpinEdit6 = AddSpin(GroupBox2, SpinField::SpinEdit6, 56, 24);
    Label7 = AddLabel(GroupBox2, 32, 56);
    SpinEdit1 = AddSpin(GroupBox2, SpinField::SpinEdit1, 56, 48);
    Label8 = AddLabel(GroupBox2, 32, 80);
    SpinEdit7 = AddSpin(GroupBox2, SpinField::SpinEdit7, 56, 72);
    Label2 = AddLabel(GroupBox2, 8, 104);
    SpinEdit2 = AddSpin(GroupBox2, SpinField::SpinEdit2, 56, 96);
    Label4 = AddLabel(GroupBox2, 8, 128);
    SpinEdit5 = AddSpin(GroupBox2, SpinField::SpinEdit5, 56, 120);

    GroupBox3 = new QGroupBox(GroupBox1);
    GroupBox3->setGeometry(Design(8, 342, 105, 124));
    QWidget* projection = RadioHolder(GroupBox3);
    RadioButton1 = new QRadioButton(projection);
    RadioButton1->setGeometry(Design(8, 16, kRadioWidth, kRadioHeight));
    RadioButton1->setChecked(panel_.RadioButton1());
    RadioButton2 = new QRadioButton(projection);
    RadioButton2->setGeometry(Design(8, 32, kRadioWidth, kRadioHeight));
    for (QRadioButton* item : {RadioButton1, RadioButton2}) {
        connect(item, &QRadioButton::toggled, this, [this] {
            GiveTabFocusToChecked({RadioButton1, RadioButton2});
        });
    }
    Label9 = AddLabel(GroupBox3, 8, 56);
    SpinEdit8 = AddSpin(GroupBox3, SpinField::SpinEdit8, 56, 49);
    Label5 = AddLabel(GroupBox3, 8, 80);
    SpinEdit3 = AddSpin(GroupBox3, SpinField::SpinEdit3, 56, 73);
    Label10 = AddLabel(GroupBox3, 8, 104);
    SpinEdit9 = AddSpin(GroupBox3, SpinField::SpinEdit9, 56, 97);

    GroupBox4 = new QGroupBox(GroupBox1);
    GroupBox4->setGeometry(Design(8, 467, 105, 89));
    Label3 = AddLabel(GroupBox4, 8, 18);
    SpinEdit4 = AddSpin(GroupBox4, SpinField::SpinEdit4, 56, 14);
    CheckBox3 = AddCheck(GroupBox4, CheckField::CheckBox3, 8, 36);
    CheckBox1 = AddCheck(GroupBox4, CheckField::CheckBox1, 8, 52);
    CheckBox2 = AddCheck(GroupBox4, CheckField::CheckBox2, 8, 68);

    PanelScroll->setWidget(GroupBox1);

    GroupBox6 = new QGroupBox(controls_.get());
    GroupBox6->setGeometry(Design(128, 0, 97, 145));
    StartButton = AddButton(GroupBox6, 16);
    StartButton->setObjectName(QStringLiteral("StartButton"));
    StartButton->setText(QStringLiteral("Start"));
    StartButton->setFont(DesignFont(Scaled(13, scale_), true));
    Button2 = AddButton(GroupBox6, 48);
    Button3 = AddButton(GroupBox6, 80);
    Button1 = AddButton(GroupBox6, 112);

    // The two boxes keep the button face while the window takes the background colour.
    for (QGroupBox* box : {GroupBox1, GroupBox6}) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Window, ButtonFace());
        box->setPalette(palette);
        box->setAutoFillBackground(true);
    }
    PanelScroll->raise();
    GroupBox6->raise();

    for (QGroupBox* box : findChildren<QGroupBox*>())
        box->setStyle(&group_box_style_);
    for (QRadioButton* item : findChildren<QRadioButton*>())
        item->setStyle(&group_box_style_);  // a style does not pass to children

    Timer1.setTimerType(Qt::PreciseTimer);
}

TSpinEdit* TForm1::AddSpin(QWidget* box, SpinField field, int left, int top) {
    auto* spin = new TSpinEdit(panel_, field, box, &gate_);
    spin->setGeometry(Design(left, top, kSpinWidth, kSpinHeight));
    spins_[static_cast<std::size_t>(field)] = spin;
    return spin;
}

QLabel* TForm1::AddLabel(QWidget* box, int left, int top) {
    auto* label = new QLabel(box);
    label->move(Scaled(left, scale_), Scaled(top, scale_));
    return label;
}

QCheckBox* TForm1::AddCheck(QWidget* box, CheckField field, int left, int top) {
    auto* check = new QCheckBox(box);
    check->setGeometry(Design(left, top, kCheckWidth, kCheckHeight));
    check->setChecked(panel_.Checked(field));
    checks_[static_cast<std::size_t>(field)] = check;
    connect(check, &QCheckBox::toggled, this, [this, field](bool on) {
        gate_.Hand([this, field, on] { panel_.SetChecked(field, on); });
    });
    return check;
}

QPushButton* TForm1::AddButton(QWidget* box, int top) {
    auto* button = new QPushButton(box);
    button->setGeometry(Design(8, top, kButtonWidth, kButtonHeight));
    return button;
}

void TForm1::ConnectHandlers() {
    const std::pair<QPushButton*, void (TForm1::*)()> buttons[] = {
        {StartButton, &TForm1::StartButtonClick},
        {Button1, &TForm1::Button1Click},
        {Button2, &TForm1::Button2Click},
        {Button3, &TForm1::Button3Click}};
    for (const auto& [button, click] : buttons) {
        connect(button, &QPushButton::clicked, this,
                [this, click = click] { gate_.Hand([this, click] { (this->*click)(); }); });
    }
    connect(Image1, &DrawingArea::MouseDown, this, &TForm1::Image1MouseDown);
    // A choice the user makes goes to the panel, whose handlers run the frames.
    connect(RadioGroup1, &RadioGroup::Click, this, [this] {
        gate_.Hand([this, index = RadioGroup1->ItemIndex()] { panel_.SelectBackground(index); });
    });
    connect(RadioGroup2, &RadioGroup::Click, this, [this] {
        gate_.Hand([this, index = RadioGroup2->ItemIndex()] { panel_.SelectEffect(index); });
    });
    connect(RadioButton2, &QRadioButton::toggled, this,
            [this](bool on) { gate_.Hand([this, on] { panel_.ChooseDirekt(on); }); });
    connect(&Timer1, &QTimer::timeout, this, &TForm1::PostTick);
    connect(&visibility_, &WindowVisibility::SeenChanged, this,
            [this] { toolkit_.RunTimerWhileSeen(); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusChanged(now); });
    qApp->installEventFilter(this);
}

// Additions for the keyboard: Escape brings the panel back after "Vollbild",
// F11 toggles it as a press on the picture does, Ctrl+Q closes the window,
// Ctrl+S saves the picture and Ctrl+C copies it.
void TForm1::AddShortcuts() {
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape_->setEnabled(false);  // only while the panel is hidden
    connect(escape_, &QShortcut::activated, this, &TForm1::ShowPanelAgain);
    connect(new QShortcut(QKeySequence(Qt::Key_F11), this), &QShortcut::activated, this,
            &TForm1::Image1MouseDown);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this,
            &QWidget::close);
    // A field being edited takes Ctrl+C for its own text before this shortcut.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, this,
            &TForm1::SavePictureAs);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_C), this), &QShortcut::activated, this,
            &TForm1::CopyPicture);
}

// ---------------------------------------------------------------- start-up

void TForm1::Init() {
    setWindowState(windowState() | Qt::WindowMaximized);
    FormResize();
    LayoutForHeight();
    Sprache_Init();
    scene_.StartUp();

    QPalette palette = this->palette();
    palette.setColor(
        QPalette::Window,
        QColor::fromRgb(RasterSurface::ToPixel(BackgroundColour(panel_.RadioGroup1()))));
    setPalette(palette);
    setAutoFillBackground(true);
}

void TForm1::LayoutForHeight() {
    const int gap = Scaled(5, scale_);
    if (GroupBox1->height() + GroupBox6->height() + gap + Scaled(10, scale_) < height()) {
        GroupBox6->setGeometry(0, GroupBox1->height() + gap, GroupBox1->width(),
                               GroupBox6->height());
        const int c = (GroupBox6->width() - StartButton->width()) / 2;
        for (QPushButton* button : {StartButton, Button2, Button3, Button1}) {
            button->move(c, button->y());
        }
    }
    FitPanel();
}

// Where the window cannot be as tall as the panel, the panel scrolls, with the
// button box moved aside for its scroll bar. The window never gets smaller
// than the panel and the button box, unless the screen is too short for the
// panel: then it may be as short as the button box.
void TForm1::FitPanel() {
    const int tall = GroupBox1->height();
    const bool scrolls = height() < tall;
    const int bar = scrolls ? PanelScroll->verticalScrollBar()->sizeHint().width() : 0;
    PanelScroll->setGeometry(0, 0, GroupBox1->width() + bar, std::min(tall, height()));
    if (GroupBox6->y() == 0) GroupBox6->move(Scaled(128, scale_) + bar, 0);
    const QRect panel = QRect(QPoint(), GroupBox1->size()) | GroupBox6->geometry();
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const int room = screen()
                         ? screen()->availableGeometry().height() - frame.top() - frame.bottom()
                         : panel.bottom() + 1;
    setMinimumSize(panel.right() + 1,
                   panel.bottom() < room ? panel.bottom() + 1 : GroupBox6->height());
}

QRect TForm1::Design(int left, int top, int width, int height) const {
    return {Scaled(left, scale_), Scaled(top, scale_), Scaled(width, scale_),
            Scaled(height, scale_)};
}

void TForm1::Sprache_Init() {
    setAttribute(Qt::WA_AlwaysShowToolTips);
    RadioGroup1->setTitle(QStringLiteral(" Hintergrund "));
    RadioGroup2->setTitle(QStringLiteral(" Anaglyph | Effekt "));
    RadioButton1->setText(QStringLiteral("parallel"));
    RadioButton2->setText(QStringLiteral("direkt"));
    GroupBox2->setTitle(QStringLiteral(" Geschwindigkeit "));
    GroupBox3->setTitle(QStringLiteral(" Projektion "));
    GroupBox4->setTitle(QStringLiteral(" Objekt "));
    CheckBox1->setText(QStringLiteral("Zufall Objekte"));
    CheckBox2->setText(QStringLiteral("Zufall Punkte"));
    CheckBox3->setText(QStringLiteral("dynam. Größe"));
    Button1->setText(QStringLiteral("Info"));
    Button2->setText(QStringLiteral("Vollbild"));
    Button3->setText(QStringLiteral("Standard"));
    const std::pair<QLabel*, const char*> labels[] = {
        {Label1, "Rotation:"}, {Label2, "Wechsel"}, {Label4, "Morph"}, {Label9, "Position"},
        {Label10, "Ebene"},    {Label5, "Basis"},   {Label3, "Größe"}, {Label6, "X"},
        {Label7, "Y"},         {Label8, "Z"}};
    for (const auto& [label, text] : labels) {
        label->setText(QString::fromUtf8(text));
        label->adjustSize();
    }
    NameForScreenReaders();

    RadioGroup1->setToolTip(QStringLiteral("Auswahl der Hintergrundfarbe (schwarz oder weiss)"));
    RadioGroup2->setToolTip(
        QStringLiteral("Auswahl der Anaglyphen-Farbkombination, Chroma oder Pulfrich"));
    const QString projection = QStringLiteral(
        "parallel (Parallelverschiebung der Kamera) oder direkt (Kamera zeigt auf "
        "Objektmittelpunkt)");
    RadioButton1->setToolTip(projection);
    RadioButton2->setToolTip(projection);
    const std::pair<TSpinEdit*, const char*> hints[] = {
        {SpinEdit1, "Rotationsgeschwindikeit und Drehrichtung Y-Achse [-10..10]"},
        {SpinEdit6, "Rotationsgeschwindikeit und Drehrichtung X-Achse [-10..10]"},
        {SpinEdit7, "Rotationsgeschwindikeit und Drehrichtung z-Achse [-10..10]"},
        {SpinEdit8,
         "Positionsänderung der Kamera (negative Werte verringern Abstand zum Objekt) [-10..10]"},
        {SpinEdit9, "Tiefe des Objektes bzgl. Bildebene festlegen [-20 ..20]"},
        {SpinEdit2,
         "Geschwindigkeit des Modellwechsels festlegen [0..50] (0 = kein Modellwechsel, nur "
         "Rotation)"},
        {SpinEdit5, "Geschwindigkeit des Morphingprozesses festlegen [0..10]"},
        {SpinEdit3, "Breite der Stereobasis festlegen [-10..10]"},
        {SpinEdit4, "Größe der Einzelpunkte in Pixel festlegen [1..10]"}};
    for (const auto& [spin, hint] : hints)
        spin->setToolTip(QString::fromUtf8(hint));
    CheckBox1->setToolTip(QStringLiteral("Objektauswahl (zufällig oder feste Reihenfolge)"));
    CheckBox2->setToolTip(
        QStringLiteral("Punkteverteilung innerhalb des Objektes  (zufällig oder feste Position)"));
    CheckBox3->setToolTip(
        QStringLiteral("dynamische Größenanpassung der Punkte in Abhängigkeit von der Entfernung"));
    StartButton->setToolTip(
        QStringLiteral("Start und Stop der Rotation und des Morphingprozesses"));
    Button3->setToolTip(QStringLiteral("Standardwerte für alle Parameter herstellen"));
    Button2->setToolTip(
        QStringLiteral("Ausblenden des Steuerungspanels (= Mausklick im Anzeigefenster)"));
    Button1->setToolTip(QStringLiteral("Anzeige Programminfo"));
}

// What a screen reader announces: each field by its label (the rotation
// fields with the axis), each group by its caption, and the picture.
void TForm1::NameForScreenReaders() {
    const std::pair<QLabel*, TSpinEdit*> buddies[] = {
        {Label6, SpinEdit6}, {Label7, SpinEdit1},  {Label8, SpinEdit7},
        {Label2, SpinEdit2}, {Label4, SpinEdit5},  {Label9, SpinEdit8},
        {Label5, SpinEdit3}, {Label10, SpinEdit9}, {Label3, SpinEdit4}};
    for (const auto& [label, spin] : buddies) {
        label->setBuddy(spin);
        spin->setAccessibleName(label->text());
    }
    // The axis labels name their fields as the fields are named, so that the
    // field's name is heard once.
    for (auto [label, spin] : {std::pair{Label6, SpinEdit6}, std::pair{Label7, SpinEdit1},
                               std::pair{Label8, SpinEdit7}}) {
        spin->setAccessibleName(QStringLiteral("Rotation ") + label->text());
        label->setAccessibleName(spin->accessibleName());
    }
    for (QGroupBox* box : findChildren<QGroupBox*>())
        box->setAccessibleName(box->title().trimmed());
    GroupBox1->setAccessibleName(QStringLiteral("Steuerungspanel"));
    GroupBox6->setAccessibleName(QStringLiteral("Schaltflächen"));
    Image1->setAccessibleName(QStringLiteral("Anzeige"));
    Image1->setAccessibleDescription(
        QStringLiteral("Die Punktwolke in 3D als Anaglyphenbild; ein Mausklick blendet das "
                       "Steuerungspanel aus oder ein; Strg+S speichert das Bild, Strg+C kopiert "
                       "es"));
}

// ---------------------------------------------------------------- handlers

void TForm1::StartButtonClick() {
    scene_.StartButtonClick();
}

// A tick is run from the event queue rather than inside the timer's own
// callback, so that a tick falling due while a frame processes pending events
// is delivered (and skips its frame through Busy) instead of being held back.
// At most one tick waits at a time.
void TForm1::PostTick() {
    if (tick_pending_) return;
    tick_pending_ = true;
    QMetaObject::invokeMethod(this, &TForm1::Timer1Timer, Qt::QueuedConnection);
}

void TForm1::Timer1Timer() {
    tick_pending_ = false;
    if (!Timer1.isActive()) return;  // stopped while the tick waited
    scene_.Timer1Timer();
}

void TForm1::Image1MouseDown() {
    SetPanelShown(!GroupBox1->isVisible());
}

void TForm1::ShowPanelAgain() {
    SetPanelShown(true);
}

// The focus never stays on a control nobody sees: with the panel hidden it
// rests on the picture, where Space and Enter press nothing, and it returns
// to the control that had it when the panel comes back.
void TForm1::SetPanelShown(bool shown) {
    if (!shown) Image1->setFocus(Qt::OtherFocusReason);
    PanelScroll->setVisible(shown);
    GroupBox6->setVisible(shown);
    escape_->setEnabled(!shown);
    if (shown) (panel_focus_ ? panel_focus_.data() : Button2)->setFocus(Qt::OtherFocusReason);
}

void TForm1::FocusChanged(QWidget* now) {
    if (now && (GroupBox1->isAncestorOf(now) || GroupBox6->isAncestorOf(now))) panel_focus_ = now;
    if (now && GroupBox1->isAncestorOf(now)) PanelScroll->ensureWidgetVisible(now);
}

void TForm1::Button1Click() {
    emit InfoRequested();
}

void TForm1::Button2Click() {
    SetPanelShown(false);
}

void TForm1::Button3Click() {
    scene_.Standardwerte();
}

// ---------------------------------------------------------------- the picture

QImage TForm1::Picture() const {
    const QStringList effects = EffectItems();
    return PictureOf(scene_.Image1, effects.value(panel_.RadioGroup2()));
}

// The picture of the moment of the key; the animation goes on behind the dialog.
void TForm1::SavePictureAs() {
    const QImage picture = Picture();
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Bild speichern"), SuggestedPicturePath(),
                                     QStringLiteral("PNG-Bilder (*.png)"));
    if (!path.isEmpty()) SavePictureTo(picture, path);
}

// Says where the file went, or why it did not, in a box that a screen reader
// announces and that does not hold up the animation.
bool TForm1::SavePictureTo(const QImage& picture, const QString& path) {
    const QString reason = SavePicture(picture, path);
    const bool saved = reason.isEmpty();
    auto* box = new QMessageBox(
        saved ? QMessageBox::Information : QMessageBox::Warning,
        saved ? QStringLiteral("Bild gespeichert") : QStringLiteral("Bild nicht gespeichert"),
        saved ? QStringLiteral("Das Bild ist gespeichert als\n%1").arg(path)
              : QStringLiteral("Das Bild ließ sich nicht als\n%1\nspeichern: %2").arg(path, reason),
        QMessageBox::Ok, this);
    box->button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return saved;
}

void TForm1::CopyPicture() {
    QApplication::clipboard()->setImage(Picture());
}

// The picture fills the client area. The window's size here is already
// without its frame and title, which the window manager draws.
void TForm1::FormResize() {
    controls_->setGeometry(rect());
    Image1->setGeometry(rect());
    FitPanel();
    Image1->FitRaster(BackgroundColour(panel_.RadioGroup1()));
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

// The window sees every key first: Enter moves on to the next control, as Tab
// does, which commits and clamps a spin field; the key then still reaches the
// control it was meant for.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* target = qobject_cast<QWidget*>(watched);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && target && target == QApplication::focusWidget() && target->window() == this) {
            focusNextChild();
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- view

// A control that already shows the panel is left alone, so the caret stays
// where the user put it. What is shown here is no request: the controls say
// nothing of it back to the panel.
void TForm1::PanelChanged() {
    for (TSpinEdit* spin : spins_)
        spin->ShowPanel();
    for (std::size_t b = 0; b < checks_.size(); ++b) {
        const QSignalBlocker quiet(checks_[b]);
        checks_[b]->setChecked(panel_.Checked(CheckField(b)));
    }
    for (auto [group, index] : {std::pair{RadioGroup1, panel_.RadioGroup1()},
                                std::pair{RadioGroup2, panel_.RadioGroup2()}}) {
        const QSignalBlocker quiet(group);
        group->SetItemIndex(index);
    }
    {
        const QSignalBlocker quiet1(RadioButton1), quiet2(RadioButton2);
        (panel_.RadioButton2() ? RadioButton2 : RadioButton1)->setChecked(true);
    }
    GiveTabFocusToChecked({RadioButton1, RadioButton2});
}

}  // namespace kaleidra

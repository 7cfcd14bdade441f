#pragma once

// The main window Form1. It owns the ControlPanel and the scene (by value) and
// the controls that show the panel and hand it what the user does. The 20 ms
// timer posts a tick, the tick runs Scene::Timer1Timer, which runs
// Scene::Modell_Ausgabe; the frame reads the panel, draws into Scene::Image1
// and calls back through Toolkit to let pending events (the repaint of Image1
// among them) run.

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "core/control_panel.h"
#include "core/random_source.h"
#include "core/request_gate.h"
#include "core/scene.h"
#include "core/toolkit.h"
#include "ui/drawing_area.h"
#include "ui/form_toolkit.h"
#include "ui/group_box_style.h"
#include "ui/radio_group.h"
#include "ui/spin_field.h"
#include "ui/text_scale.h"
#include "ui/window_visibility.h"

namespace kaleidra {

class TForm1 : public QWidget, private PanelObserver {
    Q_OBJECT

public:
    TForm1();
    ~TForm1() override;

    // The start-up layout rule: the button box moves under the panel when the
    // window is tall enough for both.
    void LayoutForHeight();

    kaleidra::Scene& scene() { return scene_; }
    TSpinEdit* Spin(kaleidra::SpinField field) const {
        return spins_[static_cast<std::size_t>(field)];
    }

    // The controls, by their names.
    DrawingArea* Image1 = nullptr;
    QScrollArea* PanelScroll = nullptr;  // holds GroupBox1
    QGroupBox* GroupBox1 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;
    RadioGroup* RadioGroup2 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QGroupBox* GroupBox6 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    TSpinEdit* SpinEdit1 = nullptr;
    TSpinEdit* SpinEdit2 = nullptr;
    TSpinEdit* SpinEdit3 = nullptr;
    TSpinEdit* SpinEdit4 = nullptr;
    TSpinEdit* SpinEdit5 = nullptr;
    TSpinEdit* SpinEdit6 = nullptr;
    TSpinEdit* SpinEdit7 = nullptr;
    TSpinEdit* SpinEdit8 = nullptr;
    TSpinEdit* SpinEdit9 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QPushButton* StartButton = nullptr;
    QPushButton* Button1 = nullptr;  // "Info"
    QPushButton* Button2 = nullptr;  // "Vollbild"
    QPushButton* Button3 = nullptr;  // "Standard"
    QTimer Timer1;

public slots:
    void StartButtonClick();
    void Timer1Timer();
    void Image1MouseDown();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    // The panel back after "Vollbild", the focus on "Vollbild" again: the
    // keyboard's way back (Escape).
    void ShowPanelAgain();
    // Ctrl+S: the picture of this moment, saved where the user chooses.
    void SavePictureAs();
    // Ctrl+C: the picture of this moment, to the clipboard as an image.
    void CopyPicture();

public:
    // The picture as the drawing area shows it now, in the raster's pixels.
    QImage Picture() const;
    // Saves it as a PNG and tells the user where it went or why it did not.
    bool SavePictureTo(const QImage& picture, const QString& path);

signals:
    // "Info" was pressed; the info box listens.
    void InfoRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Every control shows what the panel holds.
    void PanelChanged() override;
    void BuildControls();
    void ConnectHandlers();
    void Init();
    void Sprache_Init();
    void NameForScreenReaders();
    void FormResize();
    void PostTick();
    void AddShortcuts();
    void SetPanelShown(bool shown);
    void FocusChanged(QWidget* now);
    void FitPanel();
    // A rectangle of the design at the scale of the desktop's font.
    QRect Design(int left, int top, int width, int height) const;
    TSpinEdit* AddSpin(QWidget* box, kaleidra::SpinField field, int left, int top);
    QLabel* AddLabel(QWidget* box, int left, int top);
    QCheckBox* AddCheck(QWidget* box, CheckField field, int left, int top);
    QPushButton* AddButton(QWidget* box, int top);

    const double scale_ = TextScale();
    GroupBoxStyle group_box_style_{scale_};
    ClockRandomSource random_;
    ControlPanel panel_;
    WindowVisibility visibility_{*this};
    FormToolkit toolkit_{Timer1, gate_, visibility_};
    kaleidra::Scene scene_{panel_, toolkit_, random_};
    // Everything the controls hand the panel and the scene passes here.
    RequestGate gate_{scene_};
    std::array<TSpinEdit*, 9> spins_{};
    std::array<QCheckBox*, 3> checks_{};
    bool tick_pending_ = false;
    QShortcut* escape_ = nullptr;
    // The panel's control that last had the focus.
    QPointer<QWidget> panel_focus_;
    // Every control, filling the window. Declared after everything the
    // controls show, so that they go first.
    std::unique_ptr<QWidget> controls_;
};

}  // namespace kaleidra

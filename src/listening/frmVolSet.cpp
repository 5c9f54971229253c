#include "listening/frmVolSet.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <cmath>
#include <string>

#include "forms/RunHandler.h"
#include "forms/Twips.h"
#include "listening/MeterScaleSetting.h"
#include "listening/frmVorn.h"

frmVolSet::frmVolSet() {
    setWindowTitle("Sound Card Volume Visibility");
    setFixedSize(Twips::ToPixels(4725), Twips::ToPixels(1395));
    Slider1 = new MeterSlider(this);
    Slider1->setObjectName("Slider1");
    cmdDone = new QPushButton("&Done", this);
    cmdDone->setObjectName("cmdDone");
    cmdDone->setAutoDefault(false);
    Twips::Place(Slider1, 240, 120, 4335, 495);
    Twips::Place(cmdDone, 1680, 840, 1215, 375);
    setTabOrder(Slider1, cmdDone);

    connect(Slider1, &MeterSlider::SetMeterScale, this,
            [this] { RunHandler([this] { Slider1_SetMeterScale(); }); });
    connect(cmdDone, &QPushButton::clicked, this,
            [this] { RunHandler([this] { cmdDone_Click(); }); });
}

void frmVolSet::Form_Load() {
    Slider1->SetPosition(static_cast<int>(std::lround(frmVorn::Default().VUMeter->FullScale())));
}

void frmVolSet::Slider1_SetMeterScale() {
    frmVorn::Default().VUMeter->SetFullScale(static_cast<float>(Slider1->Position()));
    MeterScaleSetting::Save(std::to_string(Slider1->Position()));
}

void frmVolSet::cmdDone_Click() {
    frmVorn::Default().DirectSR1->StopListening();
    frmVorn::Default().VUMeter->SetLevel(0);
    hide();
    Unload();
}

void frmVolSet::closeEvent(QCloseEvent* event) {
    event->ignore();
    RunHandler([this] { cmdDone_Click(); });
}

void frmVolSet::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        RunHandler([this] { cmdDone_Click(); });
        return;
    }
    Form::keyPressEvent(event);
}

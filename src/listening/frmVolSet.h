#pragma once

#include <QPushButton>

#include "forms/Form.h"
#include "listening/MeterSlider.h"

// "Sound Card Volume Visibility": sets the sound meter's full scale with a slider while the
// meter shows the live input, and keeps it as the per-user meter scale.
class frmVolSet : public Form<frmVolSet> {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmVolSet";

    frmVolSet();

    MeterSlider* Slider1;
    QPushButton* cmdDone;

    void Slider1_SetMeterScale();
    void cmdDone_Click();

protected:
    void Form_Load() override;
    // The close box acts as Done, so that the recogniser does not go on running.
    void closeEvent(QCloseEvent* event) override;
    // Escape closes the dialog as Done does.
    void keyPressEvent(QKeyEvent* event) override;
};

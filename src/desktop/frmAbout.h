#pragma once

#include <QLabel>
#include <QPushButton>

#include "forms/Form.h"

// "About Vorn! Voice Command": the program's title, description and version.
class frmAbout : public Form<frmAbout> {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmAbout";

    frmAbout();

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblDescription;
    QLabel* lblVersion;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
};

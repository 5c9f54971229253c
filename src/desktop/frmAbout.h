#pragma once

#include <QLabel>
#include <QPushButton>
#include <cstdint>
#include <string>

#include "forms/Form.h"

// The predefined registry root of the machine-wide keys.
inline constexpr uint32_t HKEY_LOCAL_MACHINE = 0x80000002u;

// "About Vorn! Voice Command": the program's title, description and version, and a button that
// starts the system information program.
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

    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Starts the system information program named by the system settings, or says that there
    // is none.
    void StartSysInfo();
    // Reads the text of value SubKeyRef of key KeyName under KeyRoot into KeyVal; false, with
    // KeyVal empty, when it cannot be read. Only HKEY_LOCAL_MACHINE is known.
    bool GetKeyValue(uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                     std::string& KeyVal);

protected:
    void Form_Load() override;
    // Escape closes the box as OK does.
    void keyPressEvent(QKeyEvent* event) override;
};

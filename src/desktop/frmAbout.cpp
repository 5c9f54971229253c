#include "desktop/frmAbout.h"

#include <QGridLayout>
#include <filesystem>

#include "common/MessageBox.h"
#include "desktop/SystemSettings.h"
#include "forms/FormRegistry.h"
#include "forms/ProgramIcon.h"
#include "forms/RunHandler.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kTitle = "Vorn! Voice Command";
// The size of the value buffer of a registry read, its terminating zero included.
constexpr std::size_t kValueBufferSize = 1024;
constexpr int kNormalFocus = 1;

// Starts a program with a normal, focused window; false when it does not start.
bool StartProgram(const std::string& program) {
    return Platform::Processes().Shell(program, kNormalFocus) != 0;
}

}  // namespace

frmAbout::frmAbout() {
    picIcon = new QLabel(this);
    picIcon->setPixmap(ProgramIcon().pixmap(48, 48));
    lblTitle = new QLabel(kTitle, this);
    lblDescription = new QLabel(
        "Vorn! Voice Control is a very useful tool to help you get work done faster by allowing "
        "you to control all of your programs the way you want to control them!",
        this);
    lblVersion = new QLabel("Version", this);
    lblDisclaimer = new QLabel(
        "Warning: this program types keys into other programs' windows on your spoken command. "
        "Check each vocabulary entry before you use it. It comes without any warranty.",
        this);
    cmdOK = new QPushButton("OK", this);
    cmdSysInfo = new QPushButton("&System Info...", this);
    const std::pair<QWidget*, const char*> names[] = {
        {picIcon, "picIcon"},
        {lblTitle, "lblTitle"},
        {lblDescription, "lblDescription"},
        {lblVersion, "lblVersion"},
        {lblDisclaimer, "lblDisclaimer"},
        {cmdOK, "cmdOK"},
        {cmdSysInfo, "cmdSysInfo"},
    };
    for (const auto& [widget, name] : names) widget->setObjectName(name);
    lblDescription->setWordWrap(true);
    lblDisclaimer->setWordWrap(true);
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    lblTitle->setFont(titleFont);
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1, 1, 2);
    grid->addWidget(lblDescription, 1, 1, 1, 2);
    grid->addWidget(lblVersion, 2, 1, 1, 2);
    grid->addWidget(lblDisclaimer, 3, 0, 2, 2);
    grid->addWidget(cmdOK, 3, 2);
    grid->addWidget(cmdSysInfo, 4, 2);
    setFixedWidth(420);

    connect(cmdOK, &QPushButton::clicked, this, [this] { RunHandler([this] { cmdOK_Click(); }); });
    connect(cmdSysInfo, &QPushButton::clicked, this,
            [this] { RunHandler([this] { cmdSysInfo_Click(); }); });
}

void frmAbout::Form_Load() {
    setWindowTitle(QString("About ") + kTitle);
    lblVersion->setText(QString("Version %1.%2.%3")
                            .arg(VORN_VERSION_MAJOR)
                            .arg(VORN_VERSION_MINOR)
                            .arg(VORN_VERSION_REVISION));
    // Where the vocabulary window stands (loaded hidden first when it is not loaded).
    move(FormRegistry::Touch("frmVocab").pos());
}

void frmAbout::cmdOK_Click() {
    Unload();
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        RunHandler([this] { cmdOK_Click(); });
        return;
    }
    Form::keyPressEvent(event);
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

void frmAbout::StartSysInfo() {
    std::string program;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                    program)) {
        if (StartProgram(program)) return;
    } else if (GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location",
                           "MSINFO", program)) {
        const std::string file = program + "/MSINFO32.EXE";
        std::error_code error;
        if (std::filesystem::is_regular_file(file, error) && StartProgram(file)) return;
    }
    Dialogs::MsgBox("System Information Is Unavailable At This Time", MsgButtons::OK, MsgIcon::None,
                    kTitle);
}

bool frmAbout::GetKeyValue(uint32_t KeyRoot, const std::string& KeyName,
                           const std::string& SubKeyRef, std::string& KeyVal) {
    KeyVal.clear();
    if (KeyRoot != HKEY_LOCAL_MACHINE) return false;
    const std::optional<std::string> value = SystemSettings::Read(KeyName, SubKeyRef);
    // A text that does not fit the value buffer with its terminating zero is not read.
    if (!value || value->size() >= kValueBufferSize) return false;
    KeyVal = *value;
    return true;
}

#include "desktop/frmAbout.h"

#include <QGridLayout>
#include <QStyle>

frmAbout::frmAbout() {
    setWindowTitle("About Vorn! Voice Command");
    picIcon = new QLabel(this);
    picIcon->setPixmap(style()->standardIcon(QStyle::SP_MediaVolume).pixmap(32, 32));
    lblTitle = new QLabel("Vorn! Voice Command", this);
    lblDescription = new QLabel(
        "Vorn! Voice Control is a very useful tool to help you get work done faster by allowing "
        "you to control all of your programs the way you want to control them!",
        this);
    lblVersion = new QLabel("Version", this);
    lblDisclaimer = new QLabel(
        "Warning: this program types keys into other programs' windows on your spoken command. "
        "Check each vocabulary entry before you use it.",
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

    auto* grid = new QGridLayout(this);
    grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1, 1, 2);
    grid->addWidget(lblDescription, 1, 1, 1, 2);
    grid->addWidget(lblVersion, 2, 1, 1, 2);
    grid->addWidget(lblDisclaimer, 3, 0, 1, 2);
    grid->addWidget(cmdOK, 3, 2);
    grid->addWidget(cmdSysInfo, 4, 2);
    setFixedWidth(420);
}

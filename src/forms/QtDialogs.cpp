#include "forms/QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "forms/AnsiQt.h"

namespace {

QMessageBox::Icon ToQtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OKCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MsgButtons::OK:
            break;
    }
    return QMessageBox::Ok;
}

MsgAnswer FromQtButton(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        default:
            return MsgAnswer::OK;
    }
}

}  // namespace

MsgAnswer QtDialogs::MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                            const std::string& title) {
    QMessageBox box(ToQtIcon(icon), ToQString(title), ToQString(text), ToQtButtons(buttons),
                    QApplication::activeWindow());
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const int answer = box.exec();
    // Closing a box that has a Cancel button answers Cancel.
    return FromQtButton(answer);
}

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), ToQString(title), ToQString(prompt),
                              QLineEdit::Normal, ToQString(defaultText), &ok);
    return ok ? FromQString(text) : std::string();
}

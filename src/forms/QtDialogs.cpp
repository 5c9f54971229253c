#include "forms/QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

#include "forms/AnsiQt.h"
#include "forms/Twips.h"

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

// What a box ended unanswered (by the program's end) answers: what its Escape key would, so
// that nothing the user did not confirm is taken as confirmed.
MsgAnswer Unanswered(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OKCancel:
        case MsgButtons::YesNoCancel:
            return MsgAnswer::Cancel;
        case MsgButtons::YesNo:
            return MsgAnswer::No;
        case MsgButtons::OK:
            break;
    }
    return MsgAnswer::OK;
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

// The top-left corner nearest to wanted at which a box of that size lies wholly on the screen
// that holds wanted (or the nearest one).
QPoint KeptOnScreen(QPoint wanted, QSize size) {
    const QScreen* screen = QGuiApplication::screenAt(wanted);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return wanted;
    const QRect area = screen->availableGeometry();
    const int x = std::max(area.left(), std::min(wanted.x(), area.right() + 1 - size.width()));
    const int y = std::max(area.top(), std::min(wanted.y(), area.bottom() + 1 - size.height()));
    return {x, y};
}

}  // namespace

MsgAnswer QtDialogs::MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                            const std::string& title) {
    QMessageBox box(ToQtIcon(icon), ToQString(title), ToQString(text), ToQtButtons(buttons),
                    QApplication::activeWindow());
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const int answer = box.exec();
    if (box.clickedButton() == nullptr) return Unanswered(buttons);
    // Closing a box that has a Cancel button answers Cancel.
    return FromQtButton(answer);
}

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText,
                                std::optional<TwipsPoint> position) {
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(ToQString(title));
    box.setLabelText(ToQString(prompt));
    box.setTextValue(ToQString(defaultText));
    if (position) {
        box.adjustSize();
        const QPoint wanted(Twips::ToPixels(position->x), Twips::ToPixels(position->y));
        box.move(KeptOnScreen(wanted, box.frameGeometry().size()));
    }
    if (box.exec() != QDialog::Accepted) return {};
    // Characters the data text lacks would each become "?", so that different texts came out
    // the same: such a text is refused, as cancelled, instead of kept changed.
    if (!IsAnsiText(box.textValue())) {
        MsgBox(
            "This text cannot be kept: it holds characters outside the Western European "
            "(Windows-1252) character set, which is all that can be stored.",
            MsgButtons::OK, MsgIcon::Information, title);
        return {};
    }
    return FromQString(box.textValue());
}

#include "desktop/FormPlacement.h"

#include <QWidget>

#include "desktop/Location.h"
#include "forms/Twips.h"

FormPlacement::FormPlacement(QWidget* window, std::string name)
    : window_(window), name_(std::move(name)) {}

double FormPlacement::Left() const {
    return Twips::FromPixels(window_->frameGeometry().x());
}
double FormPlacement::Top() const {
    return Twips::FromPixels(window_->frameGeometry().y());
}
double FormPlacement::Width() const {
    return Twips::FromPixels(window_->frameGeometry().width());
}
double FormPlacement::Height() const {
    return Twips::FromPixels(window_->frameGeometry().height());
}

int FormPlacement::WindowState() const {
    if (window_->isMinimized()) return kWindowMinimized;
    if (window_->isMaximized()) return kWindowMaximized;
    return kWindowNormal;
}

void FormPlacement::Move(double left, double top, double width, double height) {
    // The frame takes what the window system adds around the client area.
    const QRect frame = window_->frameGeometry();
    const QRect client = window_->geometry();
    const int extraWidth = frame.width() - client.width();
    const int extraHeight = frame.height() - client.height();
    window_->move(Twips::ToPixels(left), Twips::ToPixels(top));
    // Windows of a fixed size keep it.
    if (window_->minimumSize() != window_->maximumSize()) {
        window_->resize(Twips::ToPixels(width) - extraWidth, Twips::ToPixels(height) - extraHeight);
    }
}

void FormPlacement::SetWindowState(int state) {
    switch (state) {
        case kWindowMinimized:
            window_->setWindowState(Qt::WindowMinimized);
            break;
        case kWindowMaximized:
            window_->setWindowState(Qt::WindowMaximized);
            break;
        default:
            window_->setWindowState(Qt::WindowNoState);
            break;
    }
}

bool RestoreFormLocation(FormPlacement& window) {
    int state = kWindowNormal;
    Location::TwipsRect location;
    if (!Location::LoadFormLocation(window, state, location)) return false;
    window.Move(location.left, location.top, location.width, location.height);
    window.SetWindowState(state);
    return true;
}

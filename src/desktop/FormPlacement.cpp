#include "desktop/FormPlacement.h"

#include <QEvent>
#include <QWidget>
#include <optional>
#include <utility>

#include "desktop/Location.h"
#include "forms/Twips.h"

namespace {

constexpr const char* kTrackerName = "placementTracker";

// What the window manager adds around the client area; none while the window is not framed.
QMargins FrameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

}  // namespace

// Kept on each placed window for the whole run: whether the window has been shown, and the
// outer size that a move asked for before the window manager had framed the window, applied
// as soon as the frame is known.
class PlacementTracker : public QObject {
public:
    explicit PlacementTracker(QWidget* window)
        : QObject(window), window_(window), shown_(window->isVisible()) {
        setObjectName(kTrackerName);
        window->installEventFilter(this);
    }

    static PlacementTracker* Of(QWidget* window) {
        auto* tracker = window->findChild<QObject*>(kTrackerName, Qt::FindDirectChildrenOnly);
        return tracker != nullptr ? static_cast<PlacementTracker*>(tracker)
                                  : new PlacementTracker(window);
    }

    bool Shown() const { return shown_; }

    // Sizes the client area so that the window with its frame has the outer size.
    void Resize(QSize outer) {
        const QMargins frame = FrameMargins(*window_);
        window_->resize(outer.width() - frame.left() - frame.right(),
                        outer.height() - frame.top() - frame.bottom());
        pendingOuterSize_.reset();
        if (frame.isNull()) pendingOuterSize_ = outer;
    }

    // Puts the window into the corner again once the window manager has framed it.
    void PlaceAtCornerOnceFramed(std::string name, int code) {
        pendingCorner_ = PendingCorner{std::move(name), code};
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Show:
                shown_ = true;
                [[fallthrough]];
            case QEvent::Move:
            case QEvent::Resize:
                FinishPendingResize();
                FinishPendingCorner();
                break;
            default:
                break;
        }
        return false;
    }

private:
    void FinishPendingResize() {
        if (!pendingOuterSize_ || !window_->isVisible() || FrameMargins(*window_).isNull()) return;
        // A maximized or minimized window gets the size when it is made normal again.
        constexpr Qt::WindowStates kNotNormal =
            Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen;
        if ((window_->windowState() & kNotNormal) != 0) return;
        Resize(*pendingOuterSize_);
    }

    void FinishPendingCorner() {
        if (!pendingCorner_ || !window_->isVisible() || FrameMargins(*window_).isNull()) return;
        const PendingCorner corner = *std::exchange(pendingCorner_, std::nullopt);
        FormPlacement placement(window_, corner.name);
        Location::PositionForm(placement, corner.code);
    }

    struct PendingCorner {
        std::string name;
        int code;
    };

    QWidget* window_;
    bool shown_;
    std::optional<QSize> pendingOuterSize_;
    std::optional<PendingCorner> pendingCorner_;
};

FormPlacement::FormPlacement(QWidget* window, std::string name)
    : window_(window), name_(std::move(name)), tracker_(PlacementTracker::Of(window)) {}

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
    // The position is the frame's.
    window_->move(Twips::ToPixels(left), Twips::ToPixels(top));
    // Windows of a fixed size keep it.
    if (window_->minimumSize() != window_->maximumSize()) {
        tracker_->Resize(QSize(Twips::ToPixels(width), Twips::ToPixels(height)));
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

void FormPlacement::MoveToCorner(int code) {
    Location::PositionForm(*this, code);
    if (FrameMargins(*window_).isNull()) tracker_->PlaceAtCornerOnceFramed(name_, code);
}

bool FormPlacement::Shown() const {
    return tracker_->Shown();
}

bool RestoreFormLocation(FormPlacement& window) {
    int state = kWindowNormal;
    Location::TwipsRect location;
    if (!Location::LoadFormLocation(window, state, location)) return false;
    window.Move(location.left, location.top, location.width, location.height);
    window.SetWindowState(state);
    return true;
}

void SaveShownFormLocation(const FormPlacement& window) {
    if (window.Shown()) Location::SaveFormLocation(window);
}

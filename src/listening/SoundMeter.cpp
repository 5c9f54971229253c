#include "listening/SoundMeter.h"

#include <qdrawutil.h>

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kFrameWidth = 1;
constexpr int kLampGap = 1;

const QColor kLiveTrough(24, 24, 24);
const QColor kGreyedTrough(165, 165, 165);
const QColor kGreyedLamp(205, 205, 205);
const QColor kHatching(110, 110, 110);

// Lamps up to 70 % of the full scale are green, up to 90 % yellow, the rest red.
QColor LampColour(double position) {
    if (position < 0.7) return {40, 210, 60};
    if (position < 0.9) return {240, 210, 40};
    return {235, 45, 40};
}

}  // namespace

SoundMeter::SoundMeter(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SoundMeter::SetFullScale(float fullScale) {
    const int lit = LitLamps();
    fullScale_ = fullScale;
    if (LitLamps() != lit) update();
}

void SoundMeter::SetLevel(float level) {
    const int lit = LitLamps();
    level_ = level;
    if (LitLamps() != lit) update();
}

void SoundMeter::SetLook(Look look) {
    if (look == look_) return;
    look_ = look;
    update();
}

QRect SoundMeter::LampRow() const {
    return rect().adjusted(kFrameWidth + kLampGap, kFrameWidth + kLampGap, -kFrameWidth - kLampGap,
                           -kFrameWidth - kLampGap);
}

int SoundMeter::LampCount() const {
    // Lamps about a third as wide as they are high, spread evenly with a gap around each.
    const QRect row = LampRow();
    return std::max(1, (row.width() + kLampGap) / (std::max(2, row.height() / 3) + kLampGap));
}

int SoundMeter::LitLamps() const {
    if (look_ != Look::Listening) return 0;
    const float fraction = fullScale_ > 0 ? std::clamp(level_ / fullScale_, 0.0f, 1.0f) : 0.0f;
    return static_cast<int>(std::lround(fraction * static_cast<float>(LampCount())));
}

void SoundMeter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), true, kFrameWidth);
    const QRect trough = rect().adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
    const bool listening = look_ == Look::Listening;
    painter.fillRect(trough, listening ? kLiveTrough : kGreyedTrough);

    const QRect lampRow = LampRow();
    const int span = lampRow.width() + kLampGap;
    const int lamps = LampCount();
    const int lit = LitLamps();
    for (int lamp = 0; lamp < lamps; ++lamp) {
        const int left = lampRow.left() + lamp * span / lamps;
        const int right = lampRow.left() + (lamp + 1) * span / lamps - kLampGap;
        const QRect shape(QPoint(left, lampRow.top()), QPoint(right - 1, lampRow.bottom()));
        const QColor colour = LampColour(static_cast<double>(lamp) / lamps);
        if (!listening) {
            painter.fillRect(shape, kGreyedLamp);
        } else {
            // An unlit lamp glows faintly: the meter reads as switched on when all is quiet.
            painter.fillRect(shape, lamp < lit ? colour : colour.darker(400));
        }
    }
    if (look_ == Look::StoppedForConfiguration) {
        painter.fillRect(trough, QBrush(kHatching, Qt::BDiagPattern));
    }
}

void SoundMeter::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit ToggleListening();
}

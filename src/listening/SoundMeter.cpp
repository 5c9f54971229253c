#include "listening/SoundMeter.h"

#include <QMouseEvent>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kSteps = 1000;
}

SoundMeter::SoundMeter(QWidget* parent) : QProgressBar(parent) {
    setRange(0, kSteps);
    setTextVisible(false);
    Redraw();
}

void SoundMeter::SetFullScale(float fullScale) {
    fullScale_ = fullScale;
    Redraw();
}

void SoundMeter::SetLevel(float level) {
    level_ = level;
    Redraw();
}

void SoundMeter::Redraw() {
    const float fraction = fullScale_ > 0 ? std::clamp(level_ / fullScale_, 0.0f, 1.0f) : 0.0f;
    setValue(static_cast<int>(std::lround(fraction * kSteps)));
}

void SoundMeter::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit ToggleListening();
}

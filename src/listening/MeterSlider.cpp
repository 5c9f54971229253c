#include "listening/MeterSlider.h"

#include <QSignalBlocker>

MeterSlider::MeterSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setRange(2000, 20000);
    setSingleStep(100);
    setPageStep(1000);
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(1000);
    connect(this, &QSlider::valueChanged, this, [this] { emit SetMeterScale(); });
}

void MeterSlider::SetPosition(int position) {
    const QSignalBlocker blocker(this);
    setValue(position);
}

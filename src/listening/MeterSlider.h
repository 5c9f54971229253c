#pragma once

#include <QSlider>

// The slider of the meter-scale dialog. SetMeterScale is raised whenever the user has moved
// it, never when code sets its position.
class MeterSlider : public QSlider {
    Q_OBJECT
public:
    explicit MeterSlider(QWidget* parent = nullptr);

    int Position() const { return value(); }
    void SetPosition(int position);

signals:
    void SetMeterScale();
};

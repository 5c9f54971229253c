#pragma once

#include <QProgressBar>

// The sound meter: fills up as the input level approaches its full scale; a click on it asks
// to pause or resume listening.
class SoundMeter : public QProgressBar {
    Q_OBJECT
public:
    explicit SoundMeter(QWidget* parent = nullptr);

    float FullScale() const { return fullScale_; }
    // Any positive scale is taken; the meter redraws at once.
    void SetFullScale(float fullScale);
    float Level() const { return level_; }
    // 0 is empty; a level above the full scale shows the meter full.
    void SetLevel(float level);

signals:
    void ToggleListening();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Redraw();

    float fullScale_ = 3000.0f;
    float level_ = 0.0f;
};

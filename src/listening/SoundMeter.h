#pragma once

#include <QWidget>

// The sound meter: a framed trough. While the recogniser listens, the trough is dark and a
// row of lamps lights up from green through yellow to red as the input level approaches the
// full scale. While listening is paused the trough and its lamps are greyed; while it is
// stopped for configuration they are greyed and hatched. A click on it asks to pause or resume
// listening.
class SoundMeter : public QWidget {
    Q_OBJECT
public:
    enum class Look { Listening, Paused, StoppedForConfiguration };

    explicit SoundMeter(QWidget* parent = nullptr);

    float FullScale() const { return fullScale_; }
    // Any positive scale is taken; the meter redraws when that changes the lamps lit.
    void SetFullScale(float fullScale);
    float Level() const { return level_; }
    // 0 is empty; a level above the full scale shows the meter full (lit only while the look is
    // Listening). The meter redraws only when the level changes the lamps lit: the recogniser
    // reports levels many times a second, mostly the same ones.
    void SetLevel(float level);
    void SetLook(Look look);

signals:
    void ToggleListening();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The band inside the trough that the lamps share.
    QRect LampRow() const;
    // How many lamps fit the trough at the meter's size.
    int LampCount() const;
    // How many of the lamps the level lights: none unless the look is Listening.
    int LitLamps() const;

    float fullScale_ = 3000.0f;
    float level_ = 0.0f;
    Look look_ = Look::Paused;
};

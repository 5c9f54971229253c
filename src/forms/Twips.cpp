#include "forms/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace Twips {

double PerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

int ToPixels(double twips) {
    return static_cast<int>(std::lround(twips / PerPixel()));
}

double FromPixels(int pixels) {
    return pixels * PerPixel();
}

void Place(QWidget* widget, double left, double top, double width, double height) {
    widget->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

}  // namespace Twips

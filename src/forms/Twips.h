#pragma once

class QWidget;

// Layouts of the windows are given in twips (1/1440 inch); the screen's logical resolution
// turns them into pixels.
namespace Twips {

// Twips per pixel of the primary screen (15 at 96 dots per inch).
double PerPixel();
int ToPixels(double twips);
double FromPixels(int pixels);

// Places a child control at a rectangle given in twips, inside its parent's client area.
void Place(QWidget* widget, double left, double top, double width, double height);

}  // namespace Twips

#pragma once

#include <string>

#include "desktop/PlacedWindow.h"

class QWidget;

// A top-level window as the placement store sees it: its outer frame in twips and its state.
class FormPlacement : public PlacedWindow {
public:
    FormPlacement(QWidget* window, std::string name);

    std::string Name() const override { return name_; }
    double Left() const override;
    double Top() const override;
    double Width() const override;
    double Height() const override;
    int WindowState() const override;
    void Move(double left, double top, double width, double height) override;
    void SetWindowState(int state) override;

private:
    QWidget* window_;
    std::string name_;
};

// What the load handlers do with the placement store: restores the window's saved placement
// (moved, sized, then given its state) and reports whether there was one.
bool RestoreFormLocation(FormPlacement& window);

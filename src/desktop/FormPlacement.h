#pragma once

#include <string>

#include "desktop/PlacedWindow.h"

class QWidget;
class PlacementTracker;

// A top-level window as the placement store sees it: its outer frame in twips and its state.
// The outer size given to Move is what the window measures with its frame. A window not yet
// framed by the window manager (not yet shown) is sized as if it had no frame, and set to
// that outer size once its frame is known.
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

    // Puts the window into a corner of the work area (Location::PositionForm). A window not yet
    // framed is put there again once its frame is known, so that the frame too lies inside.
    void MoveToCorner(int code);

    // True once the window has been shown in this run.
    bool Shown() const;

private:
    QWidget* window_;
    std::string name_;
    PlacementTracker* tracker_;
};

// What the load handlers do with the placement store: restores the window's saved placement
// (moved, sized, then given its state) and reports whether there was one.
bool RestoreFormLocation(FormPlacement& window);

// What the unload handlers do: saves the window's placement, unless the window was never
// shown in this run (its geometry then says nothing of where the user had it).
void SaveShownFormLocation(const FormPlacement& window);

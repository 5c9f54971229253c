#pragma once

#include <string>

// Window states as the placement store numbers them.
inline constexpr int kWindowNormal = 0;
inline constexpr int kWindowMinimized = 1;
inline constexpr int kWindowMaximized = 2;

// A top-level window whose position, size and state the placement store saves and restores.
// Positions and sizes are in twips; the GUI implements this over its widgets.
class PlacedWindow {
public:
    virtual ~PlacedWindow() = default;

    // The window's name, which names its settings key (e.g. "frmVorn").
    virtual std::string Name() const = 0;
    virtual double Left() const = 0;
    virtual double Top() const = 0;
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    // kWindowNormal, kWindowMinimized or kWindowMaximized.
    virtual int WindowState() const = 0;

    virtual void Move(double left, double top, double width, double height) = 0;
    virtual void SetWindowState(int state) = 0;
};

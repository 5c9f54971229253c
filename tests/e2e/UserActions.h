#pragma once

#include "platform/WindowSystem.h"

// What a user does with the mouse and the window frame, done through the X server.

// Presses the left button at a point of a window's client area, moves in steps to a point of
// the same window, and releases it (XTest).
void DragInWindow(Hwnd window, int fromX, int fromY, int toX, int toY);

// The height of a window's inside, menu bar included, in pixels.
int WindowHeight(Hwnd window);

// Moves a top-level window so that its frame's top-left corner stands at x, y of the screen,
// as the window manager does when the user drags its title bar.
void MoveWindow(Hwnd window, int x, int y);

// Where the top-left corner of a window's inside stands on the screen, in pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};
ScreenPoint WindowPosition(Hwnd window);

// Asks the window to close, as its close box does (WM_DELETE_WINDOW).
void CloseWindow(Hwnd window);

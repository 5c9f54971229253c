#pragma once

#include "platform/WindowSystem.h"

// Drags with the mouse as a user does, through XTest: press the left button at a point of a
// window's client area, move in steps to a point of the same window, release.
void DragInWindow(Hwnd window, int fromX, int fromY, int toX, int toY);

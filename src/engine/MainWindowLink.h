#pragma once

#include <functional>

#include "platform/WindowSystem.h"

// What the command engine asks of the main window without knowing it: the operation that the
// phrase lookup runs on a match before it looks for the window, and the main window's handle
// (the owner of documents it opens). The main window sets both when it loads; until then the
// operation does nothing and the handle is 0.
namespace MainWindowLink {

void SetOnApplicationMatched(std::function<void()> operation);
void RunOnApplicationMatched();

void SetWindowHandle(Hwnd hWnd);
Hwnd WindowHandle();

}  // namespace MainWindowLink

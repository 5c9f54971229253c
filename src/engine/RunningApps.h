#pragma once

#include <cstdint>
#include <string>

#include "common/AppErrors.h"
#include "common/ListControl.h"
#include "platform/WindowSystem.h"

// The running top-level windows: the list of those a user can switch to, the table from window
// identity text to handle that lasts the whole run, and bringing a window to the front.
//
// A window identity text is the class name, a blank, the broken bar (0xA6), a blank and the
// title, each read into a 256-character buffer (at most 255 characters).
namespace RunningApps {

// True when the list holds an item whose whole text equals sText, ignoring case.
bool ListItemExists(const IListControl& lst, const std::string& sText);

// Clears lst and fills it with the identity text of every visible, unowned top-level window
// that has a title, each item's data being the window handle; adds each to the table.
// Returns the number of items afterwards.
int32_t FillRunAppListBox(IListControl& lst);

// The enumeration callback of FillRunAppListBox for one window; always true (-1).
int32_t RunAppEnumProc(Hwnd hWnd, IListControl& lst);

// Adds hWnd under sKey unless the key (ignoring case) is present already; never fails.
void RunAppCollectionAdd(Hwnd hWnd, const std::string& sKey);

// The handle stored under sKey (ignoring case), 0 when there is none.
Hwnd RunningAppHwnd(const std::string& sKey);

// Drops the table (the main window does this as the program ends); the next use starts empty.
void ReleaseRunningApps();

// Brings hWnd to the front and shows it (restoring it when minimised) unless it is in front
// already. True when it was in front or the platform brought it there.
bool ActivateWindow(Hwnd hWnd);

}  // namespace RunningApps

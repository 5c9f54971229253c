#pragma once

class QMenuBar;

// The keys of a window's menu bar: F10 opens its first menu (the arrow keys then reach the
// others) and closes an open one; Alt+letter opens a menu by its access key; Escape closes an
// open menu. Each way out gives the keyboard back to the control that had it: the bar never
// holds the keyboard without an open menu. Call it once the bar's menus are added.
void UseMenuBarByItsKeys(QMenuBar* menuBar);

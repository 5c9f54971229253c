#pragma once

class QLabel;
class QMenuBar;

// A label's access key moves the focus to the label's buddy every time, also where a title of
// the window's menu bar claims the same letter. Qt takes turns between two claims of one key:
// every second press in a row would open that menu instead, and the letters typed next would
// run its items. The menu stays reachable with the mouse, and with F10 and the arrow keys.
void GiveAccessKeyPrecedenceOverMenuBar(QLabel* label, QMenuBar* menuBar);

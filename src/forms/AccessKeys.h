#pragma once

class QAbstractButton;
class QLabel;

// A label's access key (the letter after "&" in its caption) clicks the button that follows it
// in tab order, as a label hands its access key on to the next control.
void ForwardAccessKey(QLabel* label, QAbstractButton* button);

#include "forms/AccessKeys.h"

#include <QAbstractButton>
#include <QLabel>

void ForwardAccessKey(QLabel* label, QAbstractButton* button) {
    // A label whose buddy is a button clicks it on its access key.
    label->setBuddy(button);
}

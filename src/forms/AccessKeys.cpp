#include "forms/AccessKeys.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QLabel>
#include <QShortcut>

void ForwardAccessKey(QLabel* label, QAbstractButton* button) {
    const QKeySequence key = QKeySequence::mnemonic(label->text());
    if (key.isEmpty()) return;
    label->setTextFormat(Qt::PlainText);
    auto* shortcut = new QShortcut(key, label->window());
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        button->setFocus(Qt::ShortcutFocusReason);
        button->click();
    });
}

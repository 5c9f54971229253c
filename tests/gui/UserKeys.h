#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <string>

// Keys go where a user's keys would: to the open menu, else to the focused control.
inline QWidget* KeyTarget() {
    QWidget* popup = QApplication::activePopupWidget();
    return popup != nullptr ? popup : QApplication::focusWidget();
}

inline void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(KeyTarget(), key, modifiers);
}

// Types the text a key at a time.
inline void Type(const std::string& text) {
    for (const char c : text) QTest::keyClick(KeyTarget(), c);
}

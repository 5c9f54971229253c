#include "forms/MenuBarKeys.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QShortcut>

namespace {

// Turns off the bar's keyboard mode, which a bare Alt press or a menu closed by Escape would
// enter: in it the bar holds the keyboard with nothing drawn to show it, and the letters typed
// next open its menus and run their items.
class NoMenuBarKeyboardMode : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// F10 pressed in an open menu of the bar closes it, as Escape does.
class F10ClosesMenu : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::NoModifier) return false;
        if (auto* menu = qobject_cast<QMenu*>(watched)) menu->hide();
        return true;
    }
};

}  // namespace

void UseMenuBarByItsKeys(QMenuBar* menuBar) {
    auto* style = new NoMenuBarKeyboardMode;
    style->setParent(menuBar);
    menuBar->setStyle(style);

    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), menuBar->window());
    QObject::connect(f10, &QShortcut::activated, menuBar, [menuBar] {
        if (!menuBar->actions().isEmpty()) menuBar->setActiveAction(menuBar->actions().first());
    });
    auto* closer = new F10ClosesMenu(menuBar);
    for (QAction* action : menuBar->actions()) {
        if (QMenu* menu = action->menu()) menu->installEventFilter(closer);
    }
}

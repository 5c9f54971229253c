#include "forms/AccessKeys.h"

#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QShortcutEvent>

namespace {

// Takes the menu bar's turn at the label's access key and hands it to the label's buddy.
class AccessKeyOverMenuBar : public QObject {
public:
    explicit AccessKeyOverMenuBar(QLabel* label) : QObject(label), label_(label) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Shortcut ||
            static_cast<QShortcutEvent*>(event)->key() != QKeySequence::mnemonic(label_->text())) {
            return false;
        }
        if (QWidget* buddy = label_->buddy()) buddy->setFocus(Qt::ShortcutFocusReason);
        return true;
    }

private:
    QLabel* label_;
};

}  // namespace

void GiveAccessKeyPrecedenceOverMenuBar(QLabel* label, QMenuBar* menuBar) {
    menuBar->installEventFilter(new AccessKeyOverMenuBar(label));
}

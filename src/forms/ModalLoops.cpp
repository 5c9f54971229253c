#include "forms/ModalLoops.h"

#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace ModalLoops {
namespace {

struct Waiting {
    QWidget* window;
    QEventLoop* loop;
};

// Innermost last.
std::vector<Waiting>& Loops() {
    static std::vector<Waiting> loops;
    return loops;
}

std::vector<QPointer<QWidget>>& Unloaded() {
    static std::vector<QPointer<QWidget>> windows;
    return windows;
}

void DeleteUnloaded() {
    auto windows = std::move(Unloaded());
    Unloaded().clear();
    for (const QPointer<QWidget>& window : windows) {
        if (window != nullptr) window->deleteLater();
    }
}

}  // namespace

void Run(QWidget* window) {
    QEventLoop loop;
    Loops().push_back({window, &loop});
    const auto destroyed =
        QObject::connect(window, &QObject::destroyed, &loop, [window] { End(window); });
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    // A window hidden while it was being shown (by its own show handler) ends at once.
    if (window->isVisible()) loop.exec();
    QObject::disconnect(destroyed);
    auto& loops = Loops();
    loops.erase(std::find_if(loops.begin(), loops.end(),
                             [&loop](const Waiting& w) { return w.loop == &loop; }));
    if (loops.empty()) DeleteUnloaded();
}

void End(QWidget* window) {
    const auto& loops = Loops();
    for (auto it = loops.rbegin(); it != loops.rend(); ++it) {
        if (it->window == window) it->loop->exit();
    }
}

bool Running() {
    return !Loops().empty();
}

void DeleteWhenIdle(QWidget* window) {
    if (Running()) {
        Unloaded().emplace_back(window);
    } else {
        window->deleteLater();
    }
}

}  // namespace ModalLoops

#include "forms/ModalLoops.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace ModalLoops {
namespace {

// How often a wait looks whether what it waits for is done.
constexpr std::chrono::milliseconds kLookEvery{20};

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

// Takes a loop that has ended off the list; the last one to end deletes the unloaded windows.
void Ended(const QEventLoop& loop) {
    auto& loops = Loops();
    loops.erase(std::find_if(loops.begin(), loops.end(),
                             [&loop](const Waiting& w) { return w.loop == &loop; }));
    if (loops.empty()) DeleteUnloaded();
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
    Ended(loop);
}

void AnswerUntil(const std::function<bool()>& done, std::chrono::milliseconds time) {
    if (done()) return;
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done()) loop.exit();
    });
    look.start(kLookEvery);
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    Loops().push_back({nullptr, &loop});
    // Quitting the program ends the loop too, and at once when it has quit already.
    loop.exec();
    Ended(loop);
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

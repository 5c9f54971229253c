#pragma once

#include <chrono>
#include <functional>

class QWidget;

// Modal showing with nested event loops of its own. Each call to Run shows the window modally
// and waits in a fresh loop; End (called whenever the window is hidden) ends every loop that
// waits on it, innermost first. Unlike QDialog::exec, a window may be shown modally again while
// an earlier modal showing of it has not returned yet, which the two configuration windows need
// when they switch to each other from inside their own handlers.
namespace ModalLoops {

// Shows the window application-modal and returns when it is hidden or destroyed.
void Run(QWidget* window);
// Answers events in a loop of its own, with no window, until done() is true, the time is up or
// the program quits: a wait of the user-interface thread that keeps the program answering. It
// counts as a running loop, so that a window unloaded meanwhile is deleted only after it.
void AnswerUntil(const std::function<bool()>& done, std::chrono::milliseconds time);
// Ends every loop waiting on the window.
void End(QWidget* window);
// True while any loop of these runs.
bool Running();
// Deletes the window once no modal loop runs any more (at once when none runs): a handler of
// an unloaded window may still wait further down the stack in a loop that has been ended.
void DeleteWhenIdle(QWidget* window);

}  // namespace ModalLoops

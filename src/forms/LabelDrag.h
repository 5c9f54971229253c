#pragma once

#include <functional>

class QLabel;

// Dragging a label inside its window: the pointer carries the label's dotted outline until the
// button is released, and the list under the pointer gets the drag-over and drop events
// (ListBox::AcceptDrops). The real drag waits for the mouse, so tests install their own.
namespace LabelDrag {

using Starter = std::function<void(QLabel& label)>;

// Begins dragging the label where it stands; returns when it has been dropped or cancelled.
void Begin(QLabel& label);

// Installs a drag in place of the real one (an empty one restores it) and returns the one it
// replaces.
Starter Install(Starter starter);

}  // namespace LabelDrag

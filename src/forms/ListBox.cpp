#include "forms/ListBox.h"

#include <QDragEnterEvent>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

const char* const ListBox::kDragMimeType = "application/x-vorn-drag";

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setDragDropMode(QAbstractItemView::NoDragDrop);
}

void ListBox::SetHorizontalExtent(int pixels) {
    extent_ = pixels;
    // A list with an extent wider than itself keeps its horizontal scroll bar, as a list box
    // does; a bar that came and went with each layout would lay the list out for ever.
    setHorizontalScrollBarPolicy(extent_ > width() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    updateGeometries();
}

void ListBox::AcceptDrops(bool accept) {
    setAcceptDrops(accept);
    viewport()->setAcceptDrops(accept);
    setDropIndicatorShown(false);
}

void ListBox::updateGeometries() {
    QListWidget::updateGeometries();
    // The extent widens the scrollable width beyond what the items themselves need.
    const int beyond = extent_ - viewport()->width();
    if (beyond > horizontalScrollBar()->maximum()) {
        horizontalScrollBar()->setRange(0, beyond);
        horizontalScrollBar()->setPageStep(viewport()->width());
    }
}

void ListBox::mousePressEvent(QMouseEvent* event) {
    // The list selects the pressed row first, as a list box does before its handler runs; the
    // right button selects nothing, so that a popup menu acts on the selected item.
    if (event->button() != Qt::RightButton) QListWidget::mousePressEvent(event);
    emit MouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void ListBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) QListWidget::mouseReleaseEvent(event);
    emit MouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit DblClick();
}

void ListBox::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kDragMimeType)) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (!event->mimeData()->hasFormat(kDragMimeType)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit DragOver(event->position().toPoint());
}

void ListBox::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasFormat(kDragMimeType)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit DragDrop(event->position().toPoint());
}

void ListBox::focusInEvent(QFocusEvent* event) {
    // An item view makes its first row current when it gets the keyboard focus without one;
    // here an item becomes current only when the user or the program picks it, so that no
    // command acts on a row nobody chose.
    const bool hadCurrent = currentIndex().isValid();
    const QSignalBlocker quiet(hadCurrent ? nullptr : this);
    QListWidget::focusInEvent(event);
    if (!hadCurrent && currentIndex().isValid()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

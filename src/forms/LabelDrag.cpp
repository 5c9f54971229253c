#include "forms/LabelDrag.h"

#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QPainter>

#include "forms/ListBox.h"

namespace LabelDrag {
namespace {

void RealDrag(QLabel& label) {
    auto* dragData = new QMimeData;
    dragData->setData(ListBox::kDragMimeType, label.objectName().toUtf8());
    QPixmap outline(label.size());
    outline.fill(Qt::transparent);
    {
        QPainter painter(&outline);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(outline.rect().adjusted(0, 0, -1, -1));
    }
    auto* drag = new QDrag(&label);
    drag->setMimeData(dragData);
    drag->setPixmap(outline);
    drag->setHotSpot(QPoint(label.width() / 2, label.height() / 2));
    drag->exec(Qt::MoveAction);
}

Starter& Current() {
    static Starter starter;
    return starter;
}

}  // namespace

void Begin(QLabel& label) {
    if (Current()) {
        Current()(label);
    } else {
        RealDrag(label);
    }
}

Starter Install(Starter starter) {
    Starter previous = std::move(Current());
    Current() = std::move(starter);
    return previous;
}

}  // namespace LabelDrag

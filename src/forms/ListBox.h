#pragma once

#include <QListWidget>

// A list box as the windows use it: a horizontal scroll extent of its own, mouse press and
// release reported with the button, the modifiers and the point (in pixels), a double click
// with the left button, and drops of a drag begun by the program itself. The right button does
// not change the selection, and the focus alone makes no item current.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    // The width in pixels over which the list can be scrolled sideways.
    void SetHorizontalExtent(int pixels);
    int HorizontalExtent() const { return extent_; }

    // Accepts drops of the program's own drags and reports them through DragDrop.
    void AcceptDrops(bool accept);

    // The mime type of a drag begun inside the program.
    static const char* const kDragMimeType;

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint point);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint point);
    void DblClick();
    void DragOver(QPoint point);
    void DragDrop(QPoint point);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void updateGeometries() override;

private:
    int extent_ = 0;
};

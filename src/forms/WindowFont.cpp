#include "forms/WindowFont.h"

#include <QApplication>

QFont WindowFont() {
    QFont font = QApplication::font();
    font.setFamilies({"Liberation Sans", "Arial", "Helvetica", font.family()});
    font.setPointSizeF(8.0);
    return font;
}

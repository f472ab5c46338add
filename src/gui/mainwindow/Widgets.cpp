#include "gui/mainwindow/Widgets.h"

#include "gui/platform/Images.h"

QLabel* legendMark(const char* name, int picture) {
    QLabel* label = named<QLabel>(name);
    label->setPixmap(imageListPicture(picture).pixmap(16, 16));
    label->setFrameShape(QFrame::NoFrame);
    return label;
}

QFont scaledFont(const QFont& base, qreal factor, bool bold) {
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

void paintBackground(QWidget* widget, QPalette::ColorRole role) {
    QPalette palette = widget->palette();
    const QColor colour = QGuiApplication::palette().color(role);
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
}

int twipsToPixels(const QWidget* widget, int twips) {
    return qRound(twips * widget->logicalDpiX() / 1440.0);
}

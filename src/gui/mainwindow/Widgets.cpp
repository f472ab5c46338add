#include "gui/mainwindow/Widgets.h"

#include "gui/platform/Images.h"

#include <QPainter>

QLabel* legendMark(const char* name, int picture) {
    QLabel* label = named<QLabel>(name);
    label->setPixmap(imageListPicture(picture).pixmap(16, 16));
    label->setFrameShape(QFrame::NoFrame);
    return label;
}

namespace {

class ScaledPicture : public QWidget {
public:
    ScaledPicture(const QIcon& icon, int size) : m_icon(icon), m_size(size) {
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }
    QSize sizeHint() const override { return {m_size, m_size}; }
    QSize minimumSizeHint() const override { return {0, 0}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        // QIcon keeps the shape and centres the picture in the rectangle.
        m_icon.paint(&painter, rect());
    }

private:
    QIcon m_icon;
    int m_size;
};

} // namespace

QWidget* scaledPicture(const char* name, const QIcon& icon, int size) {
    auto* picture = new ScaledPicture(icon, size);
    picture->setObjectName(QLatin1String(name));
    return picture;
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

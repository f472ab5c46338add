#pragma once

#include <QWidget>

// Dialogs open centred over the main window.
inline void centreOver(QWidget* dialog, const QWidget* owner) {
    if (!owner)
        return;
    const QRect frame = owner->frameGeometry();
    dialog->move(frame.left() + (frame.width() - dialog->width()) / 2,
                 frame.top() + (frame.height() - dialog->height()) / 2);
}

#pragma once

#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include <utility>

// Small helpers the main window's parts build their controls with.

// A widget carrying its objectName.
template <typename W, typename... Args> W* named(const char* name, Args&&... args) {
    W* widget = new W(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// One of the availability pictures (3, 4 or 5), as a legend beside its filter.
QLabel* legendMark(const char* name, int picture);

// A picture of `size` pixels square that shrinks, keeping its shape, when its room is short.
QWidget* scaledPicture(const char* name, const QIcon& icon, int size);

QFont scaledFont(const QFont& base, qreal factor, bool bold);

// Paints a box's background in one of the desktop's colours (boxes that cannot be used now
// look it).
void paintBackground(QWidget* widget, QPalette::ColorRole role);

// Lengths given in twips (1/1440 inch) at the widget's logical resolution.
int twipsToPixels(const QWidget* widget, int twips);

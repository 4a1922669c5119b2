#pragma once

#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QString>

// Controls are made with their form names as objectName, so tests and tools
// find them by the names the program's forms give them.
namespace Widgets {

template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

inline QLabel* label(const QString& text, const char* name, QWidget* parent) {
    return named(new QLabel(text, parent), name);
}

// A label placed at a fixed position, as on the payment window.
inline QLabel* label(const QString& text, const char* name, QWidget* parent, const QRect& geometry) {
    QLabel* l = label(text, name, parent);
    l->setGeometry(geometry);
    return l;
}

inline QPushButton* button(const QString& text, const char* name, QWidget* parent,
                           const QString& hint = QString()) {
    auto* b = named(new QPushButton(text, parent), name);
    if (!hint.isEmpty())
        b->setToolTip(hint);
    return b;
}

} // namespace Widgets

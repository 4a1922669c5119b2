#include "ui/ElidedLabel.h"

#include <QResizeEvent>

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    // The status bar gives it what is left; it never widens the window.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::setFullText(const QString& text) {
    full_ = text;
    elide();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide() {
    setText(fontMetrics().elidedText(full_, Qt::ElideMiddle, contentsRect().width()));
}

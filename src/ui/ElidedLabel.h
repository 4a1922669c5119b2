#pragma once

#include <QLabel>

// A one-line label that takes the room it is given and shortens its text in
// the middle to fit; the whole text stays in the tooltip.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    const QString& fullText() const { return full_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString full_;
};

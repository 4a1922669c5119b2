#include "ui/StatementWindow.h"

#include "ui/Widgets.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>

StatementWindow::StatementWindow(RequestedFile& file, Dialogs& dialogs, const char* objectName,
                                 const QString& caption, const QColor& background, QWidget* parent)
    : ServerFedWindow(file, dialogs, objectName, caption, parent) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, background);
    setPalette(pal);
}

void StatementWindow::changeEvent(QEvent* event) {
    ServerFedWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activated();
}

void StatementWindow::showStatement() {
    show();
    raise();
    activateWindow();
}

QGridLayout* StatementWindow::totals(const std::array<QString, 3>& captions, std::array<QLabel*, 3>& values) {
    auto* grid = new QGridLayout();
    QLabel* label4 = Widgets::label(QStringLiteral("ИТОГО"), "Label4", this);
    label4->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold;"));
    grid->addWidget(label4, 1, 0);
    const char* captionNames[3] = {"Label9", "Label10", "Label11"};
    const char* valueNames[3] = {"Label5", "Label6", "Label7"};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(Widgets::label(captions[size_t(i)], captionNames[i], this), 0, i + 1);
        values[size_t(i)] = Widgets::label(QString(), valueNames[i], this);
        values[size_t(i)]->setStyleSheet(QStringLiteral("color: #000080; font-weight: bold;"));
        grid->addWidget(values[size_t(i)], 1, i + 1);
    }
    grid->setColumnStretch(4, 1);
    return grid;
}

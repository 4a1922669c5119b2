#include "platform/widgets/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Error:
        return QMessageBox::Critical;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString appTitle() {
    const QString name = QApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Orvanta") : name;
}

QMessageBox::StandardButton run(const QString& text, const QString& title, Dialogs::Icon icon,
                                QMessageBox::StandardButtons buttons) {
    QMessageBox box(toQt(icon), title, text, buttons, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    // The interface is Russian whatever translations the machine has.
    if (QAbstractButton* b = box.button(QMessageBox::Cancel))
        b->setText(QStringLiteral("Отмена"));
    if (QAbstractButton* b = box.button(QMessageBox::Retry))
        b->setText(QStringLiteral("Повтор"));
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

void QtDialogs::message(const QString& text) {
    run(text, appTitle(), Icon::None, QMessageBox::Ok);
}

void QtDialogs::box(const QString& text, const QString& title, Icon icon) {
    run(text, title, icon, QMessageBox::Ok);
}

bool QtDialogs::question(const QString& text, const QString& title) {
    return run(text, title, Icon::Question, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool QtDialogs::retryCancel(const QString& text, const QString& title, Icon icon) {
    return run(text, title, icon, QMessageBox::Retry | QMessageBox::Cancel) == QMessageBox::Retry;
}

void QtDialogs::exception(const QString& text) {
    QString shown = text;
    if (!shown.endsWith(QLatin1Char('.')))
        shown += QLatin1Char('.');
    run(shown, appTitle(), Icon::Error, QMessageBox::Ok);
}

std::optional<QString> QtDialogs::askText(const QString& text, const QString& title, const QString& initial) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("AskText"));
    dialog.setWindowTitle(title);
    dialog.setLabelText(text);
    dialog.setTextValue(initial);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Отмена"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString QtFileDialog::openFile(const QString& directory, const QString& filter) {
    // The filter comes as "description|pattern"; Qt wants "description (pattern)".
    QString qtFilter = filter;
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar >= 0)
        qtFilter = filter.left(bar) + QStringLiteral(" (") + filter.mid(bar + 1) + QLatin1Char(')');
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), directory, qtFilter);
}

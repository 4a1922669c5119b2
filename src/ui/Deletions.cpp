#include "ui/Deletions.h"

#include "payments/DayJournal.h"
#include "payments/DayRecords.h"
#include "ui/Widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TDeletions::TDeletions(const DayJournal& days, const DayRecords& records, QWidget* parent)
    : QDialog(parent), days_(days), records_(records) {
    setObjectName(QStringLiteral("Deletions"));
    setWindowTitle(QStringLiteral("Удаленные платежи"));
    resize(820, 360);
    auto* column = new QVBoxLayout(this);
    title_ = Widgets::label(QString(), "Label1", this);
    title_->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold;"));
    column->addWidget(title_);

    const QStringList headers = {QStringLiteral("Время"),     QStringLiteral("Запись"),
                                 QStringLiteral("Транзакция"), QStringLiteral("Оператор"),
                                 QStringLiteral("Абонент"),    QStringLiteral("Зачислено"),
                                 QStringLiteral("Получено"),   QStringLiteral("Примечание")};
    table_ = Widgets::named(new QTableWidget(0, int(headers.size()), this), "Grid");
    table_->setHorizontalHeaderLabels(headers);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->horizontalHeader()->setStretchLastSection(true);
    column->addWidget(table_, 1);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    QPushButton* close = Widgets::button(QStringLiteral("Выход"), "BitBtn1", this);
    close->setAutoDefault(true);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    buttons->addWidget(close);
    column->addLayout(buttons);
}

void TDeletions::openFromMain() {
    load();
    show();
    raise();
    activateWindow();
}

void TDeletions::load() {
    const QDate day = days_.shownDay();
    const QList<DayRecords::Deletion> entries = records_.deletions(day);
    title_->setText(QStringLiteral("Удаленные платежи за %1: %2")
                        .arg(day.toString(QStringLiteral("dd.MM.yyyy")))
                        .arg(entries.size()));
    table_->setRowCount(int(entries.size()));
    for (int r = 0; r < entries.size(); ++r) {
        const DayRecords::Deletion& d = entries[r];
        const QString kind = d.kind == DayRecords::Deletion::Kind::Deleted
                                 ? QStringLiteral("удален")
                                 : QStringLiteral("подтверждение без платежа");
        const QStringList cells = {d.at,      kind,       d.transactionId, d.operatorName,
                                   d.account, d.credited, d.received,      d.note};
        for (int c = 0; c < cells.size(); ++c)
            table_->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    table_->resizeColumnsToContents();
}

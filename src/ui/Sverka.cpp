#include "ui/Sverka.h"

#include "reports/DayReconciliation.h"
#include "ui/Widgets.h"
#include "ui/WholeTextTip.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidget* table(const char* name, const QStringList& headers, QWidget* parent) {
    auto* t = Widgets::named(new QTableWidget(0, int(headers.size()), parent), name);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setItemDelegate(new WholeTextTip::Delegate(t));
    return t;
}

void fill(QTableWidget* t, const QList<QStringList>& rows) {
    t->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            t->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    t->resizeColumnsToContents();
}

} // namespace

TReconciliation::TReconciliation(DayReconciliation& reconciliation, Dialogs& dialogs, QWidget* parent)
    : ServerFedWindow(reconciliation.file(), dialogs, "Reconciliation", QStringLiteral("Сверка с сервером"),
                      parent),
      reconciliation_(reconciliation) {
    resize(760, 480);
    auto* column = new QVBoxLayout(this);
    title_ = Widgets::label(QString(), "Label1", this);
    title_->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold; font-size: 15px;"));
    summary_ = Widgets::label(QString(), "Label2", this);
    summary_->setStyleSheet(QStringLiteral("color: #000080;"));
    column->addWidget(title_);
    column->addWidget(summary_);

    lists_ = Widgets::named(new QTabWidget(), "Lists");
    onlyInJournal_ =
        table("OnlyInJournal",
              {QStringLiteral("Время выполнения"), QStringLiteral("Оператор"), QStringLiteral("Абонент"),
               QStringLiteral("Зачислено"), QStringLiteral("Транзакция"), QStringLiteral("Примечание")},
              lists_);
    onlyOnServer_ =
        table("OnlyOnServer",
              {QStringLiteral("Штамп"), QStringLiteral("Дата"), QStringLiteral("Счет"),
               QStringLiteral("Платеж"), QStringLiteral("Транзакция"), QStringLiteral("Примечание")},
              lists_);
    sumsDiffer_ = table("SumsDiffer",
                        {QStringLiteral("Транзакция"), QStringLiteral("Абонент"), QStringLiteral("В журнале"),
                         QStringLiteral("На сервере")},
                        lists_);
    lists_->addTab(onlyInJournal_, QString());
    lists_->addTab(onlyOnServer_, QString());
    lists_->addTab(sumsDiffer_, QString());
    column->addWidget(tableArea(lists_, "Label30", QStringLiteral("ЖДИТЕ... ИДЁТ ЗАПРОС !!!")), 1);

    auto* buttons = new QHBoxLayout();
    send_ = Widgets::button(QStringLiteral("Провести платеж"), "SendMissing", this,
                            QStringLiteral("Отправить выбранный платеж, которого нет на сервере"));
    send_->setMinimumWidth(send_->sizeHint().width() + 12);
    QPushButton* refresh = refreshButton("BitBtn3");
    QPushButton* report = reportButton("BitBtn1", QStringLiteral("Отчет"));
    buttons->addWidget(send_);
    buttons->addStretch(1);
    buttons->addWidget(refresh);
    buttons->addWidget(report);
    buttons->addWidget(closeButton("BitBtn2"));
    column->addLayout(buttons);

    onClick(send_, [this] { reconciliation_.sendMissing(onlyInJournal_->currentRow()); });
    onClick(refresh, [this] { reconciliation_.start(); });
    onClick(report, [this] { reconciliation_.report(); });
    connect(onlyInJournal_, &QTableWidget::itemSelectionChanged, this, &TReconciliation::updateSend);
    connect(lists_, &QTabWidget::currentChanged, this, &TReconciliation::updateSend);
    connect(&reconciliation_, &DayReconciliation::changed, this, &TReconciliation::syncFromReconciliation);
    syncFromReconciliation();
}

void TReconciliation::activated() {
    reconciliation_.start();
}

void TReconciliation::syncFromReconciliation() {
    const DayReconciliation& r = reconciliation_;
    const Reconciliation::Result& result = r.result();
    title_->setText(QStringLiteral("Сверка с сервером за ") + r.day().toString(QStringLiteral("dd.MM.yyyy")));
    summary_->setText(r.compared() ? r.summary().join(QLatin1Char('\n')) : QString());

    QList<QStringList> rows;
    for (const JournalRow& j : result.onlyInJournal)
        rows << QStringList{j.executedAt, j.operatorName, j.account, j.credited, j.transactionId, j.note};
    fill(onlyInJournal_, rows);
    rows.clear();
    for (const Reconciliation::Movement& m : result.onlyOnServer)
        rows << QStringList{m.stamp, m.date, m.account, m.payment, m.transactionId, m.note};
    fill(onlyOnServer_, rows);
    rows.clear();
    for (const Reconciliation::SumDiffers& d : result.sumsDiffer)
        rows << QStringList{d.row.transactionId, d.row.account, d.row.credited, d.movement.payment};
    fill(sumsDiffer_, rows);

    lists_->setTabText(0, QStringLiteral("Нет на сервере (%1)").arg(result.onlyInJournal.size()));
    lists_->setTabText(1, QStringLiteral("Нет в журнале (%1)").arg(result.onlyOnServer.size()));
    lists_->setTabText(2, QStringLiteral("Суммы расходятся (%1)").arg(result.sumsDiffer.size()));
    updateSend();
}

void TReconciliation::updateSend() {
    // Only a payment of the journal can be sent from here.
    send_->setEnabled(lists_->currentIndex() == 0 && !onlyInJournal_->selectedItems().isEmpty());
}

#include "ui/Vippoday.h"

#include "reports/DayStatement.h"
#include "ui/BarGrid.h"
#include "ui/Widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QColor kSkyBlue(0xA6, 0xCA, 0xF0);
const QColor kMoneyGreen(0xC0, 0xDC, 0xC0);
const std::vector<int> kWidths = {50, 50, 40, 50, 50, 50, 100, 100};
const QString kMaroon = QStringLiteral("color: #800000; font-weight: bold; font-size: 16px;");
} // namespace

TVipDay::TVipDay(DayStatement& statement, Dialogs& dialogs, QWidget* parent)
    : StatementWindow(statement.file(), dialogs, "VipDay", QStringLiteral("Платежи за день"), kSkyBlue, parent),
      statement_(statement) {
    resize(760, 480);

    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    label8_ = Widgets::label(QString(), "Label8", this);
    label8_->setStyleSheet(kMaroon);
    label2_ = Widgets::label(QString(), "Label2", this);
    label2_->setStyleSheet(kMaroon);
    top->addWidget(label8_);
    top->addWidget(label2_);
    top->addSpacing(24);
    label1_ = Widgets::label(QString(), "Label1", this);
    top->addWidget(label1_, 1);
    column->addLayout(top);

    BarGrid::Look look;
    look.fixedColor = kMoneyGreen;
    balGrid_ = new BarGrid(2, DayStatement::ColumnCount, look, "BalGrid", this);
    column->addWidget(
        tableArea(balGrid_, "Label30", QStringLiteral("ЖДИТЕ ИДЕТ ЗАПРОС ДАННЫХ  У СЕРВЕРА.....")), 1);
    column->addLayout(
        totals({QStringLiteral("Платеж"), QStringLiteral("Оплата"), QStringLiteral("Остаток")}, totals_));

    auto* buttons = new QHBoxLayout();
    QPushButton* button1 = refreshButton("Button1", QStringLiteral("Обновить данные отчета"));
    QPushButton* button2 = reportButton("Button2", QStringLiteral("Отчет в Exel"),
                                        QStringLiteral("Вывести форму отчета в Exel"));
    buttons->addWidget(button1);
    buttons->addWidget(button2);
    buttons->addStretch(1);
    column->addLayout(buttons);

    onClick(button1, [this] { statement_.refresh(); });
    onClick(button2, [this] { statement_.report(); });
    connect(&statement_, &DayStatement::changed, this, &TVipDay::syncFromStatement);
    connect(&statement_, &DayStatement::shown, this, &TVipDay::showStatement);
    syncFromStatement();
}

void TVipDay::activated() {
    statement_.formActivate();
}

void TVipDay::syncFromStatement() {
    const DayStatement& s = statement_;
    label8_->setText(s.day());
    label2_->setText(s.monthName());
    label1_->setText(s.caption());
    totals_[0]->setText(s.payments());
    totals_[1]->setText(s.payIns());
    totals_[2]->setText(s.closing());
    balGrid_->showTable(
        s.rowCount(), [&s](int row, int c) { return s.cell(row, c); }, kWidths);
}

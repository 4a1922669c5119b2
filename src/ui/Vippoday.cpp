#include "ui/Vippoday.h"

#include "reports/DayStatement.h"
#include "ui/BarGrid.h"
#include "ui/Widgets.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QColor kSkyBlue(0xA6, 0xCA, 0xF0);
const QColor kMoneyGreen(0xC0, 0xDC, 0xC0);
const std::vector<int> kWidths = {50, 50, 40, 50, 50, 50, 100, 100};
const QString kMaroon = QStringLiteral("color: #800000; font-weight: bold; font-size: 16px;");
const QString kFigure = QStringLiteral("color: #000080; font-weight: bold;");
} // namespace

TVipDay::TVipDay(DayStatement& statement, QWidget* parent)
    : ServerFedWindow(statement.file(), "VipDay", QStringLiteral("Платежи за день"), parent),
      statement_(statement) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kSkyBlue);
    setPalette(pal);
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
    look.fixedRows = 1;
    look.fixedColumns = 0;
    look.fixedColor = kMoneyGreen;
    balGrid_ = new BarGrid(2, DayStatement::ColumnCount, look, "BalGrid", this);
    column->addWidget(
        tableArea(balGrid_, "Label30", QStringLiteral("ЖДИТЕ ИДЕТ ЗАПРОС ДАННЫХ  У СЕРВЕРА.....")), 1);

    auto* totals = new QGridLayout();
    totals->addWidget(Widgets::label(QStringLiteral("ИТОГО"), "Label4", this), 1, 0);
    totals->itemAtPosition(1, 0)->widget()->setStyleSheet(
        QStringLiteral("color: #800000; font-weight: bold;"));
    const char* captionNames[3] = {"Label9", "Label10", "Label11"};
    const QString captions[3] = {QStringLiteral("Платеж"), QStringLiteral("Оплата"),
                                 QStringLiteral("Остаток")};
    QLabel** values[3] = {&label5_, &label6_, &label7_};
    const char* valueNames[3] = {"Label5", "Label6", "Label7"};
    for (int i = 0; i < 3; ++i) {
        totals->addWidget(Widgets::label(captions[i], captionNames[i], this), 0, i + 1);
        *values[i] = Widgets::label(QString(), valueNames[i], this);
        (*values[i])->setStyleSheet(kFigure);
        totals->addWidget(*values[i], 1, i + 1);
    }
    totals->setColumnStretch(4, 1);
    column->addLayout(totals);

    auto* buttons = new QHBoxLayout();
    QPushButton* button1 = refreshButton("Button1", QStringLiteral("Обновить данные отчета"));
    QPushButton* button2 = reportButton("Button2", QStringLiteral("Отчет в Exel"),
                                        QStringLiteral("Вывести форму отчета в Exel"));
    buttons->addWidget(button1);
    buttons->addWidget(button2);
    buttons->addStretch(1);
    column->addLayout(buttons);

    connect(button1, &QPushButton::clicked, &statement_, &DayStatement::refresh);
    connect(button2, &QPushButton::clicked, &statement_, &DayStatement::report);
    connect(&statement_, &DayStatement::changed, this, &TVipDay::syncFromStatement);
    connect(&statement_, &DayStatement::shown, this, &TVipDay::showStatement);
    syncFromStatement();
}

void TVipDay::activated() {
    statement_.formActivate();
}

void TVipDay::changeEvent(QEvent* event) {
    ServerFedWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activated();
}

void TVipDay::showStatement() {
    show();
    raise();
    activateWindow();
}

void TVipDay::syncFromStatement() {
    const DayStatement& s = statement_;
    label8_->setText(s.day());
    label2_->setText(s.monthName());
    label1_->setText(s.caption());
    label5_->setText(s.payments());
    label6_->setText(s.payIns());
    label7_->setText(s.closing());
    if (balGrid_->rowCount() != s.rowCount())
        balGrid_->setRowCount(s.rowCount());
    for (int row = 0; row < s.rowCount(); ++row)
        for (int c = 0; c < DayStatement::ColumnCount; ++c)
            balGrid_->setCellText(row, c, s.cell(row, c));
    balGrid_->fitColumns(kWidths);
}

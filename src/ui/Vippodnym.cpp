#include "ui/Vippodnym.h"

#include "reports/MonthStatement.h"
#include "ui/BarGrid.h"
#include "ui/Widgets.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QColor kCream(0xFF, 0xFB, 0xF0);
const QColor kMoneyGreen(0xC0, 0xDC, 0xC0);
const std::vector<int> kWidths = {80, 80, 80, 80, 250};
} // namespace

TVipMon::TVipMon(MonthStatement& statement, Dialogs& dialogs, QWidget* parent)
    : StatementWindow(statement.file(), dialogs, "VipMon", QStringLiteral("Платежи по дням"), kCream, parent),
      statement_(statement) {
    resize(640, 520);

    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    label2_ = Widgets::label(QString(), "Label2", this);
    label2_->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold; font-size: 16px;"));
    label8_ = Widgets::label(QString(), "Label8", this);
    label8_->hide(); // the month number the requests are built from
    top->addWidget(label2_);
    top->addStretch(1);
    top->addWidget(Widgets::label(QStringLiteral("Остаток на начало :"), "Label1", this));
    label3_ = Widgets::label(QString(), "Label3", this);
    label3_->setStyleSheet(QStringLiteral("color: #000080; font-weight: bold;"));
    top->addWidget(label3_);
    column->addLayout(top);

    BarGrid::Look look;
    look.fixedColor = kMoneyGreen;
    look.textColor = Qt::blue;
    look.barColumn = MonthStatement::BarColumn;
    look.barPercent = [this](int row) { return statement_.barPercent(row); };
    balGrid_ = new BarGrid(2, MonthStatement::ColumnCount, look, "BalGrid", this);
    for (int c = 0; c < MonthStatement::ColumnCount; ++c)
        balGrid_->setColumnWidth(c, kWidths[size_t(c)]);
    balGrid_->rowPicked = [this](int row) { statement_.setSelectedRow(row); };
    balGrid_->setContextMenuPolicy(Qt::CustomContextMenu);
    column->addWidget(
        tableArea(balGrid_, "Label30", QStringLiteral("ЖДИТЕ ИДЕТ ЗАПРОС ДАННЫХ  У СЕРВЕРА.....")), 1);
    column->addLayout(
        totals({QStringLiteral("Приход"), QStringLiteral("Расход"), QStringLiteral("Остаток")}, totals_));

    auto* buttons = new QHBoxLayout();
    QPushButton* button1 = refreshButton("Button1");
    button2_ = Widgets::button(QStringLiteral("Подробно"), "Button2", this,
                               QStringLiteral("Просмотр платежей за день"));
    QPushButton* button3 =
        reportButton("Button3", QStringLiteral("Отчет в Exel"), QStringLiteral("Формировать отчет в Exel"));
    buttons->addWidget(button1);
    buttons->addWidget(button2_);
    buttons->addWidget(button3);
    buttons->addStretch(1);
    column->addLayout(buttons);

    auto* popupMenu1 = Widgets::named(new QMenu(this), "PopupMenu1");
    n1_ = Widgets::named(popupMenu1->addAction(QStringLiteral("Подробно")), "N1");
    n1_->setToolTip(QStringLiteral("Просмотр платежей за день"));
    auto* excel1 = Widgets::named(popupMenu1->addAction(QStringLiteral("Отчет в Excel")), "Excel1");
    popupMenu1->setToolTipsVisible(true);

    onClick(button1, [this] { statement_.refresh(); });
    onClick(button2_, [this] { statement_.details(); });
    onClick(button3, [this] { statement_.report(); });
    // The menu items do what the buttons of the same captions do.
    connect(n1_, &QAction::triggered, button2_, &QPushButton::click);
    connect(excel1, &QAction::triggered, button3, &QPushButton::click);
    connect(balGrid_, &QWidget::customContextMenuRequested, this, [this, popupMenu1](const QPoint& pos) {
        popupMenu1->popup(balGrid_->viewport()->mapToGlobal(pos));
    });
    connect(&statement_, &MonthStatement::changed, this, &TVipMon::syncFromStatement);
    connect(&statement_, &MonthStatement::shown, this, &TVipMon::showStatement);
    syncFromStatement();
}

void TVipMon::activated() {
    statement_.formActivate();
}

void TVipMon::syncFromStatement() {
    const MonthStatement& s = statement_;
    label2_->setText(s.monthName());
    label8_->setText(s.monthNumber());
    label3_->setText(s.opening());
    totals_[0]->setText(s.income());
    totals_[1]->setText(s.expense());
    totals_[2]->setText(s.closing());
    balGrid_->showTable(
        s.rowCount(), [&s](int row, int c) { return s.cell(row, c); }, kWidths);
    balGrid_->selectRow(s.selectedRow());
    balGrid_->viewport()->update();
    button2_->setEnabled(s.detailsEnabled());
    // The menu item follows its button.
    n1_->setEnabled(s.detailsEnabled());
}

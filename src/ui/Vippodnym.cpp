#include "ui/Vippodnym.h"

#include "reports/MonthStatement.h"
#include "ui/BarGrid.h"
#include "ui/Widgets.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QColor kCream(0xFF, 0xFB, 0xF0);
const QColor kMoneyGreen(0xC0, 0xDC, 0xC0);
const std::vector<int> kWidths = {80, 80, 80, 80, 250};
const QString kMaroon = QStringLiteral("color: #800000; font-weight: bold;");
const QString kFigure = QStringLiteral("color: #000080; font-weight: bold;");
} // namespace

TVipMon::TVipMon(MonthStatement& statement, QWidget* parent)
    : ServerFedWindow(statement.file(), "VipMon", QStringLiteral("Платежи по дням"), parent),
      statement_(statement) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kCream);
    setPalette(pal);
    resize(640, 520);

    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    label2_ = Widgets::label(QString(), "Label2", this);
    label2_->setStyleSheet(kMaroon + QStringLiteral(" font-size: 16px;"));
    label8_ = Widgets::label(QString(), "Label8", this);
    label8_->hide(); // the month number the requests are built from
    top->addWidget(label2_);
    top->addStretch(1);
    top->addWidget(Widgets::label(QStringLiteral("Остаток на начало :"), "Label1", this));
    label3_ = Widgets::label(QString(), "Label3", this);
    label3_->setStyleSheet(kFigure);
    top->addWidget(label3_);
    column->addLayout(top);

    BarGrid::Look look;
    look.fixedRows = 1;
    look.fixedColumns = 0;
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

    auto* totals = new QGridLayout();
    totals->addWidget(Widgets::label(QStringLiteral("ИТОГО"), "Label4", this), 1, 0);
    totals->itemAtPosition(1, 0)->widget()->setStyleSheet(kMaroon);
    const char* captionNames[3] = {"Label9", "Label10", "Label11"};
    const QString captions[3] = {QStringLiteral("Приход"), QStringLiteral("Расход"),
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

    popupMenu1_ = Widgets::named(new QMenu(this), "PopupMenu1");
    auto* n1 = Widgets::named(popupMenu1_->addAction(QStringLiteral("Подробно")), "N1");
    n1->setToolTip(QStringLiteral("Просмотр платежей за день"));
    auto* excel1 = Widgets::named(popupMenu1_->addAction(QStringLiteral("Отчет в Excel")), "Excel1");
    popupMenu1_->setToolTipsVisible(true);

    connect(button1, &QPushButton::clicked, &statement_, &MonthStatement::refresh);
    connect(button2_, &QPushButton::clicked, &statement_, &MonthStatement::details);
    connect(button3, &QPushButton::clicked, &statement_, &MonthStatement::report);
    // The menu items do what the buttons of the same captions do.
    connect(n1, &QAction::triggered, button2_, &QPushButton::click);
    connect(excel1, &QAction::triggered, button3, &QPushButton::click);
    connect(balGrid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { popupMenu1_->popup(balGrid_->viewport()->mapToGlobal(pos)); });
    connect(&statement_, &MonthStatement::changed, this, &TVipMon::syncFromStatement);
    connect(&statement_, &MonthStatement::shown, this, &TVipMon::showStatement);
    syncFromStatement();
}

void TVipMon::activated() {
    statement_.formActivate();
}

void TVipMon::changeEvent(QEvent* event) {
    ServerFedWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activated();
}

void TVipMon::showStatement() {
    show();
    raise();
    activateWindow();
}

void TVipMon::syncFromStatement() {
    const MonthStatement& s = statement_;
    label2_->setText(s.monthName());
    label8_->setText(s.monthNumber());
    label3_->setText(s.opening());
    label5_->setText(s.income());
    label6_->setText(s.expense());
    label7_->setText(s.closing());
    if (balGrid_->rowCount() != s.rowCount())
        balGrid_->setRowCount(s.rowCount());
    for (int row = 0; row < s.rowCount(); ++row)
        for (int c = 0; c < MonthStatement::ColumnCount; ++c)
            balGrid_->setCellText(row, c, s.cell(row, c));
    balGrid_->fitColumns(kWidths);
    balGrid_->selectRow(s.selectedRow());
    balGrid_->viewport()->update();
    button2_->setEnabled(s.detailsEnabled());
    // The menu item follows its button.
    popupMenu1_->actions().front()->setEnabled(s.detailsEnabled());
}

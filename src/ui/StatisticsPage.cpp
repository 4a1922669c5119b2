#include "ui/StatisticsPage.h"

#include "platform/SafeCall.h"

#include "link/RequestedFile.h"
#include "reports/YearStatistics.h"
#include "ui/BarGrid.h"
#include "ui/Widgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
const QColor kSkyBlue(0xA6, 0xCA, 0xF0);
// A full bar is 200 px from the cell's left edge.
const std::vector<int> kWidths = {150, 64, 64, 64, BarGrid::FullBar + 8};
} // namespace

StatisticsPage::StatisticsPage(YearStatistics& statistics, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), statistics_(statistics), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TabSheet3"));
    auto* column = new QVBoxLayout(this);

    BarGrid::Look look;
    look.fixedRows = 1;
    look.fixedColumns = 1;
    look.fixedColor = kSkyBlue;
    look.textColor = Qt::blue;
    look.barColumn = YearStatistics::BarColumn;
    look.barPercent = [this](int row) { return statistics_.barPercent(row); };
    balGrid_ = new BarGrid(YearStatistics::RowCount, YearStatistics::ColumnCount, look, "BalGrid", this);
    QFont gridFont(QStringLiteral("Arial"));
    gridFont.setPixelSize(15);
    balGrid_->setFont(gridFont);
    for (int c = 0; c < YearStatistics::ColumnCount; ++c)
        balGrid_->setColumnWidth(c, kWidths[size_t(c)]);
    // Hidden while the server is asked; the buttons below stay where they are.
    QSizePolicy keep = balGrid_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    balGrid_->setSizePolicy(keep);
    balGrid_->rowPicked = [this](int row) { statistics_.setSelectedRow(row); };
    column->addWidget(balGrid_, 1);

    auto* bottom = new QHBoxLayout();
    bottom->addWidget(Widgets::label(QStringLiteral("Год"), "Label21", this));
    comboBox3_ = Widgets::named(new QComboBox(this), "ComboBox3");
    comboBox3_->setEditable(true);
    bottom->addWidget(comboBox3_);
    bitBtn3_ =
        Widgets::button(QStringLiteral("Обновить"), "BitBtn3", this, QStringLiteral("Обновить данные"));
    bottom->addWidget(bitBtn3_);
    bitBtn4_ = Widgets::button(QStringLiteral("&Подробно"), "BitBtn4", this,
                               QStringLiteral("Просмотр платежей подробно по дням за выбранный месяц"));
    bottom->addWidget(bitBtn4_);
    auto* bitBtn6 = Widgets::button(QStringLiteral("Отчет в Exel"), "BitBtn6", this,
                                    QStringLiteral("Сформировать отчет в Exel"));
    bottom->addWidget(bitBtn6);
    bottom->addStretch();
    column->addLayout(bottom);

    connect(comboBox3_, &QComboBox::currentTextChanged, &statistics_, &YearStatistics::setYearText);
    connect(bitBtn3_, &QPushButton::clicked, this, SafeCall::guarded(dialogs_, [this] { statistics_.refresh(); }));
    connect(bitBtn4_, &QPushButton::clicked, this, SafeCall::guarded(dialogs_, [this] { statistics_.details(); }));
    connect(bitBtn6, &QPushButton::clicked, this, SafeCall::guarded(dialogs_, [this] { statistics_.report(); }));
    connect(&statistics_, &YearStatistics::changed, this, &StatisticsPage::syncFromStatistics);
    syncFromStatistics();
}

void StatisticsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window coming back from the taskbar is not the page being opened.
    if (!event->spontaneous())
        SafeCall::run(dialogs_, [this] { statistics_.show(); });
}

void StatisticsPage::syncFromStatistics() {
    const YearStatistics& s = statistics_;
    balGrid_->showTable(
        YearStatistics::RowCount, [&s](int row, int c) { return s.cell(row, c); }, kWidths);
    balGrid_->selectRow(s.selectedRow());
    balGrid_->viewport()->update(); // the bars follow the year maximum
    balGrid_->setVisible(s.gridVisible());

    {
        const QSignalBlocker block(comboBox3_);
        QStringList items;
        for (int i = 0; i < comboBox3_->count(); ++i)
            items << comboBox3_->itemText(i);
        if (items != s.yearItems()) {
            comboBox3_->clear();
            comboBox3_->addItems(s.yearItems());
        }
        if (comboBox3_->currentText() != s.yearText())
            comboBox3_->setCurrentText(s.yearText());
    }
    bitBtn3_->setEnabled(s.file().refreshEnabled());
    bitBtn4_->setEnabled(s.detailsEnabled());
}

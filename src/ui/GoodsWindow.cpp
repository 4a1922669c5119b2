#include "ui/GoodsWindow.h"

#include "goods/GoodsList.h"
#include "platform/SafeCall.h"
#include "ui/Widgets.h"
#include "ui/WholeTextTip.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

GoodsWindow::GoodsWindow(GoodsList& list, Dialogs& dialogs, const char* objectName, const QString& caption,
                         const std::vector<int>& widths, int stretchColumn, QWidget* parent)
    : ServerFedWindow(list.file(), dialogs, objectName, caption, parent), list_(list) {
    activateOnEveryVisit();
    grid_ = Widgets::named(new QTableView(), "Sklad");
    grid_->setModel(&list_);
    grid_->setItemDelegate(new WholeTextTip::Delegate(grid_));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setAlternatingRowColors(true);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(22);
    QHeaderView* header = grid_->horizontalHeader();
    header->setHighlightSections(false);
    for (size_t c = 0; c < widths.size(); ++c) {
        header->resizeSection(int(c), widths[c]);
        header->setSectionResizeMode(int(c), int(c) == stretchColumn ? QHeaderView::Stretch
                                                                     : QHeaderView::Interactive);
    }
    grid_->installEventFilter(this);

    auto* column = new QVBoxLayout(this);
    column->addWidget(tableArea(grid_, "Label1", QStringLiteral("ЖДИТЕ... ИДЁТ ЗАПРОС !!!")), 1);

    auto* bottom = new QHBoxLayout();
    auto* groupBox1 =
        Widgets::named(new QGroupBox(QStringLiteral("Отбор по наименованию товара"), this), "GroupBox1");
    auto* filter = new QHBoxLayout(groupBox1);
    checkBox1_ = Widgets::named(new QCheckBox(groupBox1), "CheckBox1");
    edit1_ = Widgets::named(new QLineEdit(groupBox1), "Edit1");
    edit1_->setMinimumWidth(180);
    filter->addWidget(checkBox1_);
    filter->addWidget(edit1_, 1);
    bottom->addWidget(groupBox1, 1);

    auto* groupBox2 = Widgets::named(new QGroupBox(QStringLiteral("Данные"), this), "GroupBox2");
    auto* data = new QHBoxLayout(groupBox2);
    QPushButton* refresh = refreshButton("BitBtn3");
    data->addWidget(refresh);
    label2_ = Widgets::label(QString(), "Label2", groupBox2);
    label2_->setToolTip(QStringLiteral("Дата последнего обновления данных"));
    label2_->setMinimumWidth(120);
    data->addWidget(label2_);
    bottom->addWidget(groupBox2);
    column->addLayout(bottom);

    buttons_ = new QHBoxLayout();
    buttons_->addStretch(1);
    QPushButton* report = reportButton("BitBtn1", QStringLiteral("Отчет"));
    buttons_->addWidget(report);
    onClick(report, [this] { list_.report(); });
    buttons_->addWidget(closeButton("BitBtn2"));
    column->addLayout(buttons_);

    onClick(refresh, [this] { list_.refresh(); });
    connect(checkBox1_, &QCheckBox::clicked, this,
            [this](bool ticked) { SafeCall::run(dialogs_, [&] { list_.setFilterTicked(ticked); }); });
    connect(edit1_, &QLineEdit::textChanged, &list_, &GoodsList::setFilterText);
    connect(grid_, &QTableView::doubleClicked, this, [this] { pickSelected(); });
    // A string grid always has a row selected: the first, after every reload.
    connect(&list_, &QAbstractItemModel::modelReset, this, [this] {
        if (list_.rowCount() > 0)
            grid_->selectRow(0);
    });
    connect(&list_, &GoodsList::changed, this, &GoodsWindow::syncFromList);
    syncFromList();
}

void GoodsWindow::activated() {
    list_.activate();
}

void GoodsWindow::syncFromList() {
    label2_->setText(list_.stamp());
    if (checkBox1_->isChecked() != list_.filterTicked())
        checkBox1_->setChecked(list_.filterTicked());
}

void GoodsWindow::pickSelected() {
    const QModelIndex current = grid_->currentIndex();
    if (current.isValid() && list_.pick(current.row()))
        hide();
}

bool GoodsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_) {
        if (event->type() == QEvent::FocusIn) {
            // Only a deliberate move into the grid: the focus a window gives its
            // first control on opening, or a click that is about to select
            // another row, must not take the old row.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
                pickSelected();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                pickSelected();
                return true;
            }
        }
    }
    return ServerFedWindow::eventFilter(watched, event);
}

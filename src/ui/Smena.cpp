#include "ui/Smena.h"

#include "platform/Money.h"
#include "platform/SafeCall.h"
#include "shift/Shift.h"
#include "ui/Widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using Widgets::button;
using Widgets::label;
using Widgets::named;

namespace {

const QColor kAttention(0xC0, 0x00, 0x00);

QString signedSum(qint64 cents) {
    return cents > 0 ? QLatin1Char('+') + Money::format(cents) : Money::format(cents);
}

} // namespace

TSmena::TSmena(Shift& shift, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), shift_(shift), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Smena"));
    setWindowTitle(QStringLiteral("Закрытие смены"));
    resize(1000, 640);
    auto* columns = new QHBoxLayout(this);

    // The figures, as the X report prints them.
    auto* left = new QVBoxLayout();
    title_ = label(QString(), "Label1", this);
    title_->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold;"));
    left->addWidget(title_);
    grid_ = named(new QTableWidget(0, 3, this), "ShiftGrid");
    grid_->setHorizontalHeaderLabels(
        {QStringLiteral("Показатель"), QStringLiteral("Количество"), QStringLiteral("Сумма")});
    grid_->verticalHeader()->hide();
    // Compact rows: the whole shift at a glance.
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setTabKeyNavigation(false);
    grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    left->addWidget(grid_, 1);
    auto* reports = new QHBoxLayout();
    auto* xPrint = button(QStringLiteral("&X-отчет"), "XPrint", this, QStringLiteral("Напечатать X-отчет"));
    auto* xExport = button(QStringLiteral("X-отчет в &Excel"), "XExport", this);
    auto* zClose = button(QStringLiteral("&Закрыть смену (Z-отчет)"), "ZClose", this);
    zClose->setStyleSheet(QStringLiteral("font-weight: bold;"));
    auto* exit = button(QStringLiteral("В&ыход"), "BitBtn1", this);
    for (QPushButton* b : {xPrint, xExport, zClose, exit})
        reports->addWidget(b);
    left->addLayout(reports);
    columns->addLayout(left, 3);

    auto* right = new QVBoxLayout();
    // Cash in and out, recorded when made.
    auto* cashBox = named(new QGroupBox(QStringLiteral("Внесение и изъятие"), this), "GroupCash");
    auto* cash = new QGridLayout(cashBox);
    cashSum_ = named(new QLineEdit(cashBox), "CashSum");
    cashSum_->setPlaceholderText(QStringLiteral("Сумма"));
    cashNote_ = named(new QLineEdit(cashBox), "CashNote");
    cashNote_->setPlaceholderText(QStringLiteral("Примечание (инкассация, размен...)"));
    auto* cashIn = button(QStringLiteral("&Внесение"), "CashIn", cashBox);
    auto* cashOut = button(QStringLiteral("Изъ&ятие"), "CashOut", cashBox);
    auto* sumLabel = label(QStringLiteral("&Сумма"), "Label2", cashBox);
    sumLabel->setBuddy(cashSum_);
    cash->addWidget(sumLabel, 0, 0);
    cash->addWidget(cashSum_, 0, 1, 1, 2);
    auto* cashNoteLabel = label(QStringLiteral("Приме&чание"), "Label3", cashBox);
    cashNoteLabel->setBuddy(cashNote_);
    cash->addWidget(cashNoteLabel, 1, 0);
    cash->addWidget(cashNote_, 1, 1, 1, 2);
    cash->addWidget(cashIn, 2, 1);
    cash->addWidget(cashOut, 2, 2);
    right->addWidget(cashBox);

    // The count: a whole sum, or note by note and coin by coin.
    auto* countBox = named(new QGroupBox(QStringLiteral("Подсчет наличных"), this), "GroupCount");
    auto* count = new QGridLayout(countBox);
    auto* countedLabel = label(QStringLiteral("В &кассе"), "Label4", countBox);
    count->addWidget(countedLabel, 0, 0);
    counted_ = named(new QLineEdit(countBox), "CountedEdit");
    countedLabel->setBuddy(counted_);
    counted_->setPlaceholderText(QStringLiteral("Сумма или по купюрам ниже"));
    count->addWidget(counted_, 0, 1, 1, 5);
    const int perRow = 3;
    for (int i = 0; i < int(Shift::Denominations.size()); ++i) {
        const int row = 1 + i / perRow;
        const int column = (i % perRow) * 2;
        auto* caption = label(Shift::denominationCaption(i), "", countBox);
        caption->setObjectName(QStringLiteral("DenomLabel%1").arg(i));
        auto* spin = new QSpinBox(countBox);
        spin->setObjectName(QStringLiteral("Denom%1").arg(i));
        spin->setRange(0, 99999);
        spin->setAccessibleName(Shift::denominationCaption(i));
        caption->setBuddy(spin);
        count->addWidget(caption, row, column);
        count->addWidget(spin, row, column + 1);
        denominations_.push_back(spin);
        connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, [this, i](int value) {
            if (!showing_)
                shift_.setDenominationCount(i, value);
        });
    }
    const int below = 2 + int(Shift::Denominations.size()) / perRow;
    expected_ = label(QString(), "ExpectedLabel", countBox);
    difference_ = label(QString(), "DifferenceLabel", countBox);
    count->addWidget(expected_, below, 0, 1, 6);
    count->addWidget(difference_, below + 1, 0, 1, 6);
    auto* noteLabel = label(QStringLiteral("Примечание к р&азнице"), "Label5", countBox);
    count->addWidget(noteLabel, below + 2, 0, 1, 2);
    note_ = named(new QLineEdit(countBox), "NoteEdit");
    noteLabel->setBuddy(note_);
    count->addWidget(note_, below + 2, 2, 1, 4);
    right->addWidget(countBox);

    auto* serverBox = named(new QGroupBox(QStringLiteral("Сервер"), this), "GroupServer");
    auto* server = new QVBoxLayout(serverBox);
    auto* reconcile = button(QStringLiteral("Све&рить с сервером"), "ReconcileShift", serverBox,
                             QStringLiteral("Сверить дни смены с выписками сервера"));
    agreement_ = label(QString(), "AgreementLabel", serverBox);
    agreement_->setWordWrap(true);
    server->addWidget(reconcile);
    server->addWidget(agreement_);
    right->addWidget(serverBox);

    auto* closedBox = named(new QGroupBox(QStringLiteral("Закрытые смены"), this), "GroupClosed");
    auto* closedColumn = new QVBoxLayout(closedBox);
    closed_ = named(new QListWidget(closedBox), "ZList");
    closedColumn->addWidget(closed_, 1);
    auto* closedButtons = new QHBoxLayout();
    auto* zPrint = button(QStringLiteral("&Печать"), "ZPrint", closedBox, QStringLiteral("Напечатать Z-отчет снова"));
    auto* zExport = button(QStringLiteral("В Exce&l"), "ZExport", closedBox);
    closedButtons->addWidget(zPrint);
    closedButtons->addWidget(zExport);
    closedColumn->addLayout(closedButtons);
    right->addWidget(closedBox, 1);
    columns->addLayout(right, 2);

    for (QPushButton* b : {xPrint, xExport, zClose, exit, cashIn, cashOut, reconcile, zPrint, zExport})
        b->setAutoDefault(true);
    // Enter in a field does what the field is for, never closes the shift.
    connect(cashSum_, &QLineEdit::returnPressed, cashNote_, qOverload<>(&QWidget::setFocus));
    connect(counted_, &QLineEdit::returnPressed, note_, qOverload<>(&QWidget::setFocus));

    const auto selectedZ = [this] {
        const QListWidgetItem* item = closed_->currentItem();
        return item ? item->data(Qt::UserRole).toInt() : 0;
    };
    onClick(cashIn, [this] {
        if (shift_.cashIn(cashSum_->text(), cashNote_->text())) {
            cashSum_->clear();
            cashNote_->clear();
        }
    });
    onClick(cashOut, [this] {
        if (shift_.cashOut(cashSum_->text(), cashNote_->text())) {
            cashSum_->clear();
            cashNote_->clear();
        }
    });
    onClick(reconcile, [this] { shift_.reconcile(); });
    onClick(xPrint, [this] { shift_.printX(); });
    onClick(xExport, [this] { shift_.exportX(); });
    onClick(zClose, [this] { shift_.close(); });
    onClick(zPrint, [this, selectedZ] {
        if (const int n = selectedZ())
            shift_.reprintZ(n);
    });
    onClick(zExport, [this, selectedZ] {
        if (const int n = selectedZ())
            shift_.exportZ(n);
    });
    connect(closed_, &QListWidget::itemActivated, this, [this, selectedZ] {
        SafeCall::run(dialogs_, [this, selectedZ] {
            if (const int n = selectedZ())
                shift_.reprintZ(n);
        });
    });
    connect(exit, &QPushButton::clicked, this, &QWidget::hide);
    connect(counted_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const bool read = shift_.setCountedText(text);
        counted_->setStyleSheet(read ? QString() : QStringLiteral("color: #C00000;"));
    });
    connect(note_, &QLineEdit::textEdited, this, [this](const QString& text) { shift_.setNote(text); });
    connect(&shift_, &Shift::changed, this, &TSmena::showShift);
    connect(&shift_, &Shift::closed, this, [this] {
        counted_->clear();
        note_->clear();
        showClosed();
    });
}

void TSmena::onClick(QPushButton* b, std::function<void()> f) {
    connect(b, &QPushButton::clicked, this, [this, f = std::move(f)] { SafeCall::run(dialogs_, f); });
}

void TSmena::openFromMain() {
    SafeCall::run(dialogs_, [this] { shift_.refresh(); });
    showShift();
    showClosed();
    show();
    raise();
    activateWindow();
    counted_->setFocus();
}

void TSmena::showShift() {
    showing_ = true;
    const ShiftFigures& f = shift_.figures();
    const QString format = QStringLiteral("dd.MM.yyyy hh:mm");
    title_->setText(QStringLiteral("Смена с %1 по %2")
                        .arg(f.since.isValid() ? f.since.toString(format)
                                               : f.until.date().startOfDay().toString(format),
                             f.until.toString(format)));
    const QList<ShiftReport::Item> items = shift_.items();
    grid_->setRowCount(int(items.size()));
    for (int r = 0; r < items.size(); ++r) {
        const ShiftReport::Item& i = items[r];
        const QString value = i.cents ? Money::format(*i.cents) : i.text;
        const QStringList cells = {QString(i.indent * 4, QLatin1Char(' ')) + i.caption,
                                   i.count >= 0 ? QString::number(i.count) : QString(), value};
        for (int c = 0; c < cells.size(); ++c) {
            auto* cell = new QTableWidgetItem(cells[c]);
            if (c > 0)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (i.attention)
                cell->setForeground(kAttention);
            if (i.count < 0 && !i.cents && i.text.isEmpty() && c == 0) {
                QFont bold = cell->font();
                bold.setBold(true);
                cell->setFont(bold);
            }
            grid_->setItem(r, c, cell);
        }
    }
    grid_->resizeColumnToContents(1);
    grid_->resizeColumnToContents(2);

    for (size_t i = 0; i < denominations_.size(); ++i)
        denominations_[i]->setValue(shift_.denominationCount(int(i)));
    const bool byNotes = std::any_of(denominations_.cbegin(), denominations_.cend(),
                                     [](const QSpinBox* s) { return s->value() > 0; });
    if (byNotes && shift_.counted())
        counted_->setText(Money::format(*shift_.counted()));
    expected_->setText(QStringLiteral("Ожидается в кассе: ") + Money::format(f.expected()));
    if (const std::optional<qint64> d = shift_.difference()) {
        difference_->setText(QStringLiteral("Разница: ") + signedSum(*d) +
                             (*d < 0   ? QStringLiteral(" (недостача)")
                              : *d > 0 ? QStringLiteral(" (излишек)")
                                       : QString()));
        difference_->setStyleSheet(*d < 0 ? QStringLiteral("color: #C00000; font-weight: bold;")
                                          : QStringLiteral("font-weight: bold;"));
    } else {
        difference_->setText(QStringLiteral("Разница: введите подсчитанную сумму"));
        difference_->setStyleSheet(QString());
    }
    agreement_->setText(shift_.agreement().isEmpty() ? Shift::NotReconciledText : shift_.agreement());
    showing_ = false;
}

void TSmena::showClosed() {
    closed_->clear();
    const ZReports archive = shift_.archive();
    const QList<int> numbers = archive.numbers();
    for (auto it = numbers.crbegin(); it != numbers.crend(); ++it) {
        const std::optional<ZReports::Closed> z = archive.read(*it);
        const QString when = z ? z->until.toString(QStringLiteral("dd.MM.yyyy hh:mm")) : QStringLiteral("не читается");
        auto* item = new QListWidgetItem(QStringLiteral("Z № %1   %2").arg(*it).arg(when), closed_);
        item->setData(Qt::UserRole, *it);
    }
    if (closed_->count() > 0)
        closed_->setCurrentRow(0);
}

#include "ui/Oplata.h"

#include "ui/Widgets.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>

namespace oplata {

void Shape::setOutline(const QColor& colour, int width) {
    if (colour == colour_ && width == width_)
        return;
    colour_ = colour;
    width_ = width;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (filled_)
        p.fillRect(rect(), Qt::white);
    if (width_ <= 0)
        return;
    QPen pen(colour_);
    pen.setWidth(width_);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // Keep the whole pen inside the widget.
    const qreal half = width_ / 2.0;
    p.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

} // namespace oplata

using oplata::Shape;

namespace {

using Widgets::label;
using Widgets::named;

constexpr int kClientWidth = 518;
constexpr int kClientHeight = 284;

// The digit cells inside GroupBox1, laid along the operator's mask: "X" places
// the next cell, "=" and "-" leave a gap, anything else is skipped.
constexpr int kFirstCellX = 20;
constexpr int kCellStep = 27;
constexpr int kGroupGap = 15; // "=" in the mask
constexpr int kDashGap = 5;   // "-" in the mask
constexpr int kLabelOffset = 7;
constexpr int kBoxY = 24;
constexpr int kBoxWidth = 25;
constexpr int kBoxHeight = 36;
constexpr int kCellLabelY = 27;
constexpr int kCellLabelWidth = 12;
constexpr int kCellLabelHeight = 30;
// Below the group's visible part: the field keeps the focus and takes the keys,
// the cells show what it holds.
constexpr int kHiddenY = 400;

const QColor kFrameColour(0, 0, 255);
constexpr int kFrameWidth = 3;
const QColor kCellOutline(0, 0, 255);
constexpr int kCellOutlineWidth = 2;
const QColor kCaretOutline(255, 0, 0);
constexpr int kCaretOutlineWidth = 5;
// The commission's tier labels: the one that applies in red.
const QColor kTierColour(0, 0, 128);
const QColor kAppliedTierColour(255, 0, 0);

void setTextColour(QLabel* l, const QColor& colour) {
    QPalette pal = l->palette();
    if (pal.color(QPalette::WindowText) == colour)
        return;
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
}

QFont sized(QFont font, int pixels, bool bold) {
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// A tier's description is the operator's own text and can be long: it is shown
// whole, in a smaller type when the label is too narrow for it.
void setFittedText(QLabel* l, const QString& text, int pixels) {
    QFont f = l->font();
    for (; pixels > 8; --pixels) {
        f.setPixelSize(pixels);
        if (QFontMetrics(f).horizontalAdvance(text) <= l->width())
            break;
    }
    f.setPixelSize(pixels);
    if (l->font() != f)
        l->setFont(f);
    l->setText(text);
}

} // namespace

TOplat::TOplat(PaymentEntry& entry, QWidget* parent)
    : QDialog(parent), entry_(entry),
      show_([](TOplat& w) { w.exec(); }) {
    setObjectName(QStringLiteral("Oplat"));
    setWindowTitle(QStringLiteral("ПЛАТЕЖИ"));
    setFixedSize(kClientWidth, kClientHeight);

    buton_ = named(new QToolButton(this), "Buton");
    buton_->setGeometry(6, 4, kClientWidth - 12, 40);
    buton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    buton_->setIconSize(QSize(32, 32));
    buton_->setAutoRaise(true);
    buton_->setFocusPolicy(Qt::NoFocus);
    buton_->setFont(sized(font(), 16, true));

    buildAccountGroup();
    buildSumGroup();
    buildButtons();

    setTabOrder(edit1_, edit3_);
    setTabOrder(edit3_, bitBtn3_);
    setTabOrder(bitBtn3_, bitBtn2_);
    setTabOrder(bitBtn2_, checkBalance_);
    setTabOrder(checkBalance_, bitBtn1_);

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    connect(&entry_, &PaymentEntry::changed, this, &TOplat::syncFromEntry);
    connect(&entry_, &PaymentEntry::focusRequested, this, &TOplat::moveFocus);
    connect(&entry_, &PaymentEntry::showRequested, this, [this] { show_(*this); });
    connect(&entry_, &PaymentEntry::closeRequested, this, &QWidget::close);
    syncFromEntry();
}

TOplat::~TOplat() = default;

void TOplat::buildAccountGroup() {
    groupBox1_ = named(new QGroupBox(QStringLiteral("Номер телефона"), this), "GroupBox1");
    groupBox1_->setGeometry(6, 46, kClientWidth - 12, 72);
    watchMouse(groupBox1_);

    shape1_ = new Shape(QStringLiteral("Shape1"), groupBox1_, false);
    shape1_->setGeometry(8, 18, groupBox1_->width() - 16, 48);
    shape1_->setOutline(kFrameColour, kFrameWidth);
    shape1_->hide();
    watchMouse(shape1_);

    const QFont digitFont = sized(font(), 20, true);
    for (int i = 0; i < PaymentEntry::CellCount; ++i) {
        auto* box = new Shape(QStringLiteral("S%1").arg(i), groupBox1_, true);
        box->resize(kBoxWidth, kBoxHeight);
        box->hide();
        watchMouse(box);
        boxes_[size_t(i)] = box;

        auto* l = new QLabel(groupBox1_);
        l->setObjectName(QStringLiteral("L%1").arg(i));
        l->setProperty("tag", i);
        l->resize(kCellLabelWidth, kCellLabelHeight);
        l->setAlignment(Qt::AlignCenter);
        l->setFont(digitFont);
        l->hide();
        watchMouse(l);
        cellLabels_[size_t(i)] = l;
    }

    edit2_ = label(QString(), "Edit2", groupBox1_, QRect(10, kHiddenY, 60, 24));
    edit1_ = named(new QLineEdit(groupBox1_), "Edit1");
    edit1_->setGeometry(80, kHiddenY, 160, 24);
    edit1_->installEventFilter(this);

    connect(edit1_, &QLineEdit::textChanged, this,
            [this](const QString& text) { entry_.accountEdited(text, edit1_->cursorPosition()); });
    connect(edit1_, &QLineEdit::cursorPositionChanged, this,
            [this](int, int now) { entry_.accountCaretMoved(now); });
}

void TOplat::buildSumGroup() {
    groupBox2_ = named(new QGroupBox(QStringLiteral("Сумма платежа"), this), "GroupBox2");
    groupBox2_->setGeometry(6, 120, kClientWidth - 12, 122);
    watchMouse(groupBox2_);
    QWidget* g = groupBox2_;

    shape2_ = new Shape(QStringLiteral("Shape2"), g, false);
    shape2_->setGeometry(8, 20, 176, 44);
    shape2_->setOutline(kFrameColour, kFrameWidth);
    shape2_->hide();

    edit3_ = named(new QLineEdit(g), "Edit3");
    edit3_->setGeometry(13, 25, 166, 34);
    edit3_->setFont(sized(font(), 20, true));
    edit3_->installEventFilter(this);
    connect(edit3_, &QLineEdit::textChanged, this, [this](const QString& text) { entry_.sumEdited(text); });
    connect(edit3_, &QLineEdit::cursorPositionChanged, this,
            [this](int, int now) { entry_.sumCaretMoved(now); });

    const QColor navy(0, 0, 128);
    auto* label15 = label(QStringLiteral("Комиссия"), "Label15", g, QRect(10, 68, 68, 16));
    label16_ = label(QString(), "Label16", g, QRect(80, 68, 190, 16));
    auto* label17 = label(QStringLiteral("Сумма к зачислению"), "Label17", g, QRect(10, 86, 134, 18));
    label18_ = label(QString(), "Label18", g, QRect(146, 84, 76, 20));
    label18_->setFont(sized(font(), 15, true));
    setTextColour(label18_, navy);
    auto* label22 = label(QStringLiteral("сомони"), "Label22", g, QRect(224, 86, 48, 18));
    auto* label7 = label(QStringLiteral("Сумма к зачислению"), "Label7", g, QRect(10, 104, 134, 16));
    label12_ = label(QString(), "Label12", g, QRect(146, 103, 76, 18));
    label12_->setFont(sized(font(), 13, true));
    auto* label46 = label(QStringLiteral("$"), "Label46", g, QRect(224, 104, 20, 16));
    // Beside the sum, so the cashier sees why the pay buttons stay grey.
    minimum_ = label(QString(), "LabelMinSum", g, QRect(184, 20, 90, 44));
    minimum_->setWordWrap(true);
    minimum_->setFont(sized(font(), 11, true));
    setTextColour(minimum_, QColor(192, 0, 0));
    for (QLabel* l : {label15, label17, label22, label7, label46}) {
        watchMouse(l);
        sumLabels_.push_back(l);
    }

    shape3_ = new Shape(QStringLiteral("Shape3"), g, false);
    shape3_->setGeometry(276, 16, g->width() - 284, 100);
    shape3_->setOutline(QColor(160, 160, 200), 1);
    watchMouse(shape3_);

    auto* label47 = label(QStringLiteral("КОМИССИЯ"), "Label47", g, QRect(280, 20, 214, 18));
    label47->setFont(sized(font(), 13, true));
    label47->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    watchMouse(label47);
    sumLabels_.push_back(label47);
    const char* tierNames[3] = {"Label48", "Label49", "Label50"};
    for (int k = 0; k < 3; ++k) {
        QLabel* l = label(QString(), tierNames[k], g, QRect(284, 42 + 22 * k, 210, 20));
        l->setFont(sized(font(), 13, true));
        setTextColour(l, navy);
        watchMouse(l);
        tierLabels_[size_t(k)] = l;
        sumLabels_.push_back(l);
    }
}

void TOplat::buildButtons() {
    auto make = [this](const QString& text, const char* name, int index, const QString& hint) {
        auto* b = named(new QPushButton(text, this), name);
        constexpr int width = (kClientWidth - 12 - 3 * 6) / 4;
        b->setGeometry(6 + index * (width + 6), 246, width, 32);
        b->setFont(sized(font(), 13, true));
        b->setAutoDefault(true); // Enter presses the button that has the focus
        if (!hint.isEmpty())
            b->setToolTip(hint);
        return b;
    };
    bitBtn3_ = make(QStringLiteral("ОПЛАТИТЬ"), "BitBtn3", 0, QStringLiteral("Оплатить платеж прямо сейчас"));
    bitBtn2_ = make(QStringLiteral("ОТЛОЖИТЬ"), "BitBtn2", 1, QStringLiteral("Отложить"));
    checkBalance_ = make(QStringLiteral("БАЛАНС"), "CheckBalance", 2, QString());
    bitBtn1_ = make(QStringLiteral("ЗАКРЫТЬ"), "BitBtn1", 3, QString());

    connect(bitBtn3_, &QPushButton::clicked, &entry_, &PaymentEntry::payClicked);
    connect(bitBtn2_, &QPushButton::clicked, &entry_, &PaymentEntry::deferClicked);
    connect(checkBalance_, &QPushButton::clicked, &entry_, &PaymentEntry::balanceClicked);
    connect(bitBtn1_, &QPushButton::clicked, &entry_, &PaymentEntry::closeClicked);
}

void TOplat::watchMouse(QWidget* control) {
    control->installEventFilter(this);
}

void TOplat::syncFromEntry() {
    const PaymentEntry& e = entry_;
    if (!e.caption().isEmpty()) // keeps its own title until the first operator
        setWindowTitle(e.caption());

    buton_->setText(e.operatorCaption());
    buton_->setToolTip(e.article());
    const QString& iconPath = e.operatorIcon();
    if (iconPath != butonIconPath_) {
        butonIconPath_ = iconPath;
        buton_->setIcon(iconPath.isEmpty() ? QIcon() : QIcon(iconPath));
    }

    layOutCells();
    for (int i = 0; i < PaymentEntry::CellCount; ++i) {
        const bool caret = i == e.caretCell();
        boxes_[size_t(i)]->setOutline(caret ? kCaretOutline : kCellOutline,
                                      caret ? kCaretOutlineWidth : kCellOutlineWidth);
        cellLabels_[size_t(i)]->setText(e.cellText(i));
    }
    edit2_->setText(e.prefixText());

    {
        const QSignalBlocker block(edit1_);
        if (edit1_->text() != e.typedAccount())
            edit1_->setText(e.typedAccount());
        if (edit1_->cursorPosition() != e.accountCaret())
            edit1_->setCursorPosition(e.accountCaret());
    }
    {
        const QSignalBlocker block(edit3_);
        if (edit3_->text() != e.sumText())
            edit3_->setText(e.sumText());
        if (edit3_->cursorPosition() != e.sumCaret())
            edit3_->setCursorPosition(e.sumCaret());
    }

    const int applied = e.commission().tier;
    for (int k = 0; k < 3; ++k) {
        QLabel* l = tierLabels_[size_t(k)];
        setFittedText(l, e.tierText(k), 13);
        setTextColour(l, k == applied ? kAppliedTierColour : kTierColour);
        l->setVisible(e.tierVisible(k));
    }
    setFittedText(label16_, applied >= 0 ? e.tierText(applied) : QStringLiteral("без комиссии"),
                  font().pixelSize() > 0 ? font().pixelSize() : 12);
    // A large sum is drawn smaller rather than run into "сомони".
    setFittedText(label18_, e.creditedText(), 15);
    setFittedText(label12_, e.secondCurrencyText(), 13);
    minimum_->setText(e.minimumHint());

    bitBtn3_->setEnabled(e.payEnabled());
    bitBtn2_->setEnabled(e.payEnabled());
    checkBalance_->setEnabled(e.checkBalanceEnabled());
}

void TOplat::layOutCells() {
    int x = kFirstCellX;
    int next = 0;
    const int shown = entry_.shownCells();
    for (const QChar ch : entry_.profile().mask) {
        if (ch == QLatin1Char('X')) {
            if (next < shown) {
                boxes_[size_t(next)]->move(x, kBoxY);
                cellLabels_[size_t(next)]->move(x + kLabelOffset, kCellLabelY);
                ++next;
            }
            x += kCellStep;
        } else if (ch == QLatin1Char('=')) {
            x += kGroupGap;
        } else if (ch == QLatin1Char('-')) {
            x += kDashGap;
        }
    }
    for (int i = 0; i < PaymentEntry::CellCount; ++i) {
        boxes_[size_t(i)]->setVisible(i < shown);
        cellLabels_[size_t(i)]->setVisible(i < shown);
    }
}

void TOplat::moveFocus(PaymentEntry::Field field) {
    switch (field) {
    case PaymentEntry::Field::Account:
        edit1_->setFocus(Qt::OtherFocusReason);
        break;
    case PaymentEntry::Field::Sum:
        edit3_->setFocus(Qt::OtherFocusReason);
        break;
    case PaymentEntry::Field::PayButton:
        bitBtn3_->setFocus(Qt::OtherFocusReason);
        break;
    case PaymentEntry::Field::None:
        break;
    }
}

void TOplat::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    entry_.formShow();
}

void TOplat::keyPressEvent(QKeyEvent* event) {
    // Escape is "ЗАКРЫТЬ".
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        bitBtn1_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TOplat::eventFilter(QObject* watched, QEvent* event) {
    const auto key = [event] { return static_cast<QKeyEvent*>(event)->key(); };
    const bool enter =
        (event->type() == QEvent::KeyPress) && (key() == Qt::Key_Return || key() == Qt::Key_Enter);

    if (watched == edit1_) {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (enter) {
                entry_.accountConfirmed();
                return true; // not the dialog's default button
            }
            break;
        case QEvent::KeyRelease:
            if (key() == Qt::Key_Left || key() == Qt::Key_Right)
                entry_.accountCaretShown();
            else if (key() == Qt::Key_Down)
                entry_.accountLeftDown();
            break;
        case QEvent::FocusIn:
            // Each field's frame shows where the keys go.
            shape1_->show();
            shape2_->hide();
            break;
        case QEvent::FocusOut:
            shape1_->hide();
            break;
        default:
            break;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (watched == edit3_) {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (key() == Qt::Key_Up) {
                entry_.sumLeftUp();
                return true;
            }
            if (enter || key() == Qt::Key_Down) {
                entry_.sumConfirmed();
                return true;
            }
            break;
        case QEvent::FocusIn:
            shape2_->show();
            shape1_->hide();
            break;
        case QEvent::FocusOut:
            shape2_->hide();
            break;
        default:
            break;
        }
        return QDialog::eventFilter(watched, event);
    }

    if (event->type() == QEvent::MouseButtonPress) {
        mouseDown(watched);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* control = qobject_cast<QWidget*>(watched);
        if (control && control->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            click(watched);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TOplat::mouseDown(QObject* control) {
    // The account's frame and its boxes take the keys to the account; the sum's
    // group and its frame to the sum.
    if (control == shape1_ || std::find(boxes_.begin(), boxes_.end(), control) != boxes_.end())
        entry_.focusAccount();
    else if (control == groupBox2_ || control == shape3_)
        entry_.focusSum();
}

void TOplat::click(QObject* control) {
    const auto cell = std::find(cellLabels_.begin(), cellLabels_.end(), control);
    if (cell != cellLabels_.end())
        entry_.caretToCell(int(cell - cellLabels_.begin()));
    else if (control == groupBox1_)
        entry_.focusAccount();
    else if (control == groupBox2_ || control == shape3_ ||
             std::find(sumLabels_.begin(), sumLabels_.end(), control) != sumLabels_.end())
        entry_.focusSum();
}

#include "ui/Otmenaplat.h"

#include "platform/SafeCall.h"

#include "link/Cancellation.h"
#include "ui/Widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using Widgets::button;
using Widgets::label;
using Widgets::named;

TCancelPlat::TCancelPlat(Cancellation& cancellation, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), cancellation_(cancellation), dialogs_(dialogs), show_([](TCancelPlat& w) { w.exec(); }) {
    setObjectName(QStringLiteral("CancelPlat"));
    setWindowTitle(QStringLiteral("Отмена платежа"));
    setFixedSize(440, 330);

    groupBox1_ = named(new QGroupBox(QStringLiteral("Отмена платежа"), this), "GroupBox1");
    auto* grid = new QGridLayout(groupBox1_);
    grid->setColumnMinimumWidth(1, 36);
    grid->setColumnStretch(2, 1);
    const char* labelNames[6] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"};
    const char* editNames[6] = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"};
    const QString captions[6] = {QStringLiteral("Время платежа"), QStringLiteral("Оператор"),
                                 QStringLiteral("Абонент"),       QStringLiteral("Сумма зачислено"),
                                 QStringLiteral("Транзакция"),    QStringLiteral("Новый абонент")};
    QLabel* labels[6];
    for (int i = 0; i < 6; ++i) {
        labels[i] = label(captions[i], labelNames[i], groupBox1_);
        edits_[i] = named(new QLineEdit(groupBox1_), editNames[i]);
        if (i < 5) {
            edits_[i]->setReadOnly(true);
            edits_[i]->setFocusPolicy(Qt::ClickFocus);
            QPalette p = edits_[i]->palette();
            p.setColor(QPalette::Base, palette().color(QPalette::Window));
            edits_[i]->setPalette(p);
        }
        grid->addWidget(labels[i], i, 0);
        grid->addWidget(edits_[i], i, 2);
    }
    image1_ = label(QString(), "Image1", groupBox1_);
    image1_->setFixedSize(32, 32);
    grid->addWidget(image1_, 1, 1, Qt::AlignCenter);

    label6_ = labels[5];
    // Green while a new number is asked for; the disabled look greys it out.
    QPalette green = label6_->palette();
    green.setColor(QPalette::Active, QPalette::WindowText, QColor(0, 128, 0));
    green.setColor(QPalette::Inactive, QPalette::WindowText, QColor(0, 128, 0));
    label6_->setPalette(green);
    QPalette white = edits_[5]->palette();
    white.setColor(QPalette::Base, Qt::white);
    edits_[5]->setPalette(white);

    bitBtn1_ = button(QStringLiteral("OK"), "BitBtn1", this);
    bitBtn1_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    bitBtn1_->setDefault(true);
    bitBtn2_ = button(QStringLiteral("Отмена"), "BitBtn2", this);
    bitBtn2_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    for (QPushButton* b : {bitBtn1_, bitBtn2_})
        b->setMinimumSize(100, 30);

    auto* column = new QVBoxLayout(this);
    column->addWidget(groupBox1_, 1);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(bitBtn1_);
    buttons->addWidget(bitBtn2_);
    column->addLayout(buttons);

    connect(bitBtn1_, &QPushButton::clicked, this, &TCancelPlat::fileRequest);
    connect(bitBtn2_, &QPushButton::clicked, this, &QDialog::reject);
    connect(&cancellation_, &Cancellation::showRequested, this, [this] {
        syncFromForm();
        show_(*this);
    });
}

void TCancelPlat::syncFromForm() {
    const CancellationForm& f = cancellation_.form();
    const bool correction = f.kind == CancellationForm::Kind::Correct;
    setWindowTitle(f.caption);
    groupBox1_->setTitle(f.caption);
    const QString texts[5] = {f.executedAt, f.operatorName, f.account, f.credited, f.transactionId};
    for (int i = 0; i < 5; ++i) {
        edits_[i]->setText(texts[i]);
        edits_[i]->setCursorPosition(0);
    }
    edits_[5]->clear();
    edits_[5]->setVisible(correction);
    label6_->setEnabled(correction);
    if (f.iconPath.isEmpty()) {
        image1_->clear();
        image1_->hide();
    } else {
        image1_->setPixmap(QIcon(f.iconPath).pixmap(32, 32));
        image1_->show();
    }
}

void TCancelPlat::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The new number when one is asked for; otherwise "Отмена", so that Enter
    // does not file a cancellation by mistake.
    if (edits_[5]->isVisibleTo(this))
        edits_[5]->setFocus();
    else
        bitBtn2_->setFocus();
}

void TCancelPlat::fileRequest() {
    // The window closes after BitBtn1 whatever became of the request, also when
    // filing it failed.
    struct Closer {
        TCancelPlat* window;
        ~Closer() { window->accept(); }
    } closer{this};
    SafeCall::run(dialogs_, [this] { cancellation_.file(edits_[5]->text()); });
}

#include "ui/Logpas.h"

#include "platform/SafeCall.h"

#include "link/AccountSession.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedLayout>
#include <QVBoxLayout>

TLoginPasw::TLoginPasw(AccountSession& session, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), session_(session), dialogs_(dialogs) {
    setObjectName(QStringLiteral("LoginPasw"));
    setWindowTitle(QStringLiteral("Авторизация"));
    setModal(false);
    setFixedSize(300, 170);

    auto* stack = new QStackedLayout(this);

    panel2_ = new QWidget(this);
    panel2_->setObjectName(QStringLiteral("Panel2"));
    auto* form = new QGridLayout(panel2_);
    auto* loginLabel = new QLabel(QStringLiteral("Логин"), panel2_);
    loginLabel->setObjectName(QStringLiteral("Label1"));
    edit1_ = new QLineEdit(panel2_);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    auto* passwordLabel = new QLabel(QStringLiteral("Пароль"), panel2_);
    passwordLabel->setObjectName(QStringLiteral("Label2"));
    edit2_ = new QLineEdit(panel2_);
    edit2_->setObjectName(QStringLiteral("Edit2"));
    edit2_->setEchoMode(QLineEdit::Password);
    auto* ok = new QPushButton(QStringLiteral("OK"), panel2_);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), panel2_);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    form->addWidget(loginLabel, 0, 0);
    form->addWidget(edit1_, 0, 1, 1, 2);
    form->addWidget(passwordLabel, 1, 0);
    form->addWidget(edit2_, 1, 1, 1, 2);
    form->addWidget(ok, 2, 1);
    form->addWidget(cancel, 2, 2);
    stack->addWidget(panel2_);

    panel1_ = new QWidget(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    auto* waitingLayout = new QVBoxLayout(panel1_);
    waiting_ = new QLabel(panel1_);
    waiting_->setObjectName(QStringLiteral("Panel1Caption"));
    waiting_->setAlignment(Qt::AlignCenter);
    waiting_->setStyleSheet(QStringLiteral("font-weight: bold; color: #000080;"));
    waitingLayout->addWidget(waiting_);
    stack->addWidget(panel1_);

    panel3_ = new QWidget(this);
    panel3_->setObjectName(QStringLiteral("Panel3"));
    auto* success = new QVBoxLayout(panel3_);
    auto* done = new QLabel(QStringLiteral("Успешная регистрация"), panel3_);
    done->setObjectName(QStringLiteral("Label3"));
    done->setAlignment(Qt::AlignCenter);
    done->setStyleSheet(QStringLiteral("font-weight: bold; color: #006400;"));
    auto* close = new QPushButton(QStringLiteral("Закрыть"), panel3_);
    close->setObjectName(QStringLiteral("BitBtn3"));
    close_ = close;
    success->addWidget(done);
    success->addWidget(close, 0, Qt::AlignCenter);
    stack->addWidget(panel3_);

    connect(ok, &QPushButton::clicked, this,
            SafeCall::guarded(dialogs_, [this] { session_.login(edit1_->text(), edit2_->text()); }));
    connect(cancel, &QPushButton::clicked, this, [this] { session_.closeLoginWindow(); });
    connect(close, &QPushButton::clicked, this, [this] { session_.closeLoginWindow(); });
    connect(edit1_, &QLineEdit::textEdited, this,
            [this](const QString& t) { session_.setTypedLogin(t); });
    connect(edit2_, &QLineEdit::textEdited, this,
            [this](const QString& t) { session_.setTypedPassword(t); });
    connect(&session_.loginWindow(), &LoginWindowModel::changed, this, &TLoginPasw::syncFromModel);
    syncFromModel();
}

bool TLoginPasw::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && panel2_->isVisible())
        edit1_->setFocus();
    // Closing with the title bar hides the window like "Отмена" does.
    if (e->type() == QEvent::Close) {
        session_.loginWindow().visible = false;
    }
    return QDialog::event(e);
}

void TLoginPasw::syncFromModel() {
    const LoginWindowModel& m = session_.loginWindow();
    auto* stack = static_cast<QStackedLayout*>(layout());
    switch (m.panel) {
    case LoginWindowModel::Panel::Form:
        stack->setCurrentWidget(panel2_);
        break;
    case LoginWindowModel::Panel::Waiting:
        stack->setCurrentWidget(panel1_);
        break;
    case LoginWindowModel::Panel::Success:
        stack->setCurrentWidget(panel3_);
        // The keys were on the hidden OK: Enter now closes the window (once
        // the opening float question, which comes over it, is answered).
        close_->setFocus(Qt::OtherFocusReason);
        break;
    }
    waiting_->setText(m.waitingCaption);
    if (edit1_->text() != session_.typedLogin())
        edit1_->setText(session_.typedLogin());
    if (edit2_->text() != session_.typedPassword())
        edit2_->setText(session_.typedPassword());
    if (m.visible && !isVisible()) {
        if (const QScreen* s = screen())
            move(s->availableGeometry().center() - rect().center());
        show();
        raise();
        activateWindow();
        if (m.panel == LoginWindowModel::Panel::Form)
            edit1_->setFocus();
    } else if (!m.visible && isVisible()) {
        hide();
    }
}

#include "ui/Oborvedom.h"

#include "goods/TurnoverStatement.h"
#include "ui/Widgets.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TOborVed::TOborVed(TurnoverStatement& statement, Dialogs& dialogs, QWidget* parent)
    : ServerFedWindow(statement.file(), dialogs, "OborVed", QStringLiteral("Оборотная ведомость движения товара"),
                      parent),
      statement_(statement) {
    resize(820, 540);
    activateOnEveryVisit();

    vedomost_ = Widgets::named(new QPlainTextEdit(), "Vedomost");
    vedomost_->setReadOnly(true);
    vedomost_->setLineWrapMode(QPlainTextEdit::NoWrap);
    vedomost_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    vedomost_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The server aligns the columns for a fixed pitch: "Courier New", or the
    // machine's metric-compatible stand-in.
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(16);
    vedomost_->setFont(font);

    auto* column = new QVBoxLayout(this);
    column->addWidget(tableArea(vedomost_, "Label1", QStringLiteral("ЖДИТЕ... ИДЁТ ЗАПРОС !!!")), 1);

    auto* bottom = new QHBoxLayout();
    auto* groupBox2 = Widgets::named(new QGroupBox(QStringLiteral("Данные"), this), "GroupBox2");
    auto* data = new QHBoxLayout(groupBox2);
    QPushButton* refresh = refreshButton("BitBtn3");
    data->addWidget(refresh);
    bottom->addWidget(groupBox2);
    bottom->addStretch(1);
    QPushButton* report = reportButton("BitBtn1", QStringLiteral("Отчет"));
    bottom->addWidget(report);
    bottom->addWidget(closeButton("BitBtn2"));
    column->addLayout(bottom);

    onClick(refresh, [this] { statement_.refresh(); });
    onClick(report, [this] { statement_.report(); });
    connect(&statement_, &TurnoverStatement::changed, this, &TOborVed::syncFromStatement);
    syncFromStatement();
}

void TOborVed::activated() {
    statement_.activate();
}

void TOborVed::syncFromStatement() {
    const QString text = statement_.lines().join(QLatin1Char('\n'));
    if (vedomost_->toPlainText() != text)
        vedomost_->setPlainText(text);
}

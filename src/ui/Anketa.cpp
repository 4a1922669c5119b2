#include "ui/Anketa.h"

#include "platform/SafeCall.h"

#include "ui/Widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValidator>
#include <QWindow>

namespace {

using Widgets::label;
using Widgets::named;

// Refuses a change that would put "&", "#" or "$" into a field: the field keeps
// what it had.
class RecordSafeValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return GoodsSale::acceptable(input) ? Acceptable : Invalid;
    }
};

QDateEdit* datePicker(const char* name, QWidget* parent) {
    auto* d = named(new QDateEdit(parent), name);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return d;
}

} // namespace

TProdaja::TProdaja(GoodsSale& sale, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), sale_(sale), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Prodaja"));
    setWindowTitle(sale_.caption());

    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    top->addWidget(label(QStringLiteral("Шифр"), "Label16", this));
    top->addWidget(makeEdit(GoodsSale::Shifr, this), 1);
    top->addSpacing(16);
    top->addWidget(label(QStringLiteral("Сумма"), "Label17", this));
    top->addWidget(makeEdit(GoodsSale::Suma, this));
    column->addLayout(top);

    pageControl1_ = named(new QTabWidget(this), "PageControl1");
    pageControl1_->addTab(buildBuyerTab(), QStringLiteral("Покупатель"));
    pageControl1_->addTab(buildGoodsTab(), QStringLiteral("Товар на продажу"));
    pageControl1_->setCurrentIndex(1);
    column->addWidget(pageControl1_, 1);

    auto* buttons = new QHBoxLayout();
    bitBtn2_ = Widgets::button(QStringLiteral("Записать"), "BitBtn2", this);
    auto* bitBtn4 = Widgets::button(QStringLiteral("ОТЛОЖИТЬ"), "BitBtn4", this, QStringLiteral("Отложить"));
    auto* bitBtn3 = Widgets::button(QStringLiteral("Очистить"), "BitBtn3", this);
    auto* bitBtn1 = Widgets::button(QStringLiteral("Выход"), "BitBtn1", this);
    for (QPushButton* b : {bitBtn2_, bitBtn4, bitBtn3, bitBtn1}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    column->addLayout(buttons);

    connect(bitBtn2_, &QPushButton::clicked, this, SafeCall::guarded(dialogs_, [this] { sale_.recordClicked(); }));
    connect(bitBtn4, &QPushButton::clicked, this, SafeCall::guarded(dialogs_, [this] { sale_.deferClicked(); }));
    connect(bitBtn3, &QPushButton::clicked, this, SafeCall::guarded(dialogs_, [this] { sale_.clearClicked(); }));
    connect(bitBtn1, &QPushButton::clicked, this, &QWidget::hide);
    connect(dateTimePicker1_, &QDateEdit::dateChanged, &sale_, &GoodsSale::setIssued);
    connect(dateTimePicker2_, &QDateEdit::dateChanged, &sale_, &GoodsSale::setBorn);

    connect(&sale_, &GoodsSale::changed, this, &TProdaja::syncFromSale);
    connect(&sale_, &GoodsSale::showRequested, this, [this] {
        show();
        raise();
        activateWindow();
        sale_.activate();
    });
    connect(&sale_, &GoodsSale::closeRequested, this, &QWidget::hide);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &TProdaja::keepOnTop);
    syncFromSale();
    setFixedSize(sizeHint());
}

void TProdaja::keepOnTop(QWindow* focused) {
    // The cashier moved to another window of ours: the sale window stays over
    // it, the keys stay where they went. A box or the goods chooser (modal)
    // comes over the sale window and is left there; so are menus and tips.
    // Done by raising rather than by a stay-on-top window flag: the flag is the
    // window manager's to honour (none does under a kiosk X server), and under
    // one that does it would also cover the program's boxes and the chooser.
    if (!isVisible() || !focused || focused == windowHandle() || QGuiApplication::modalWindow())
        return;
    if (focused->type() == Qt::Popup || focused->type() == Qt::ToolTip)
        return;
    raise();
    ++raisedOver_;
}

void TProdaja::addField(QGridLayout* grid, int row, int column, const QString& caption, const char* labelName,
                        GoodsSale::Field f, int span) {
    QWidget* parent = grid->parentWidget();
    grid->addWidget(label(caption, labelName, parent), row, column);
    grid->addWidget(makeEdit(f, parent), row, column + 1, 1, span);
}

QLineEdit* TProdaja::makeEdit(GoodsSale::Field f, QWidget* parent) {
    auto* e = named(new QLineEdit(parent), GoodsSale::objectName(f));
    if (GoodsSale::inputLimit(f) > 0)
        e->setMaxLength(GoodsSale::inputLimit(f));
    e->setValidator(new RecordSafeValidator(e));
    connect(e, &QLineEdit::textEdited, this, [this, f, e](const QString& text) {
        if (!sale_.edit(f, text))
            e->setText(sale_.text(f));
    });
    edits_[size_t(f)] = e;
    return e;
}

QWidget* TProdaja::buildBuyerTab() {
    auto* page = named(new QWidget(), "TabSheet1");
    auto* layout = new QVBoxLayout(page);

    auto* groupBox1 = named(new QGroupBox(QStringLiteral("Абонент"), page), "GroupBox1");
    auto* g1 = new QGridLayout(groupBox1);
    addField(g1, 0, 0, QStringLiteral("Фамилия"), "Label1", GoodsSale::Family);
    g1->addWidget(label(QStringLiteral("Тип клиента"), "Label2", groupBox1), 0, 2);
    auto* comboBox1 = named(new QComboBox(groupBox1), "ComboBox1");
    comboBox1->addItems({QStringLiteral("1 ФИЗИЧЕСКОЕ ЛИЦО"), QStringLiteral("2 ЮРИДИЧЕСКОЕ ЛИЦО"),
                         QStringLiteral("3 ПБОЮЛ")});
    g1->addWidget(comboBox1, 0, 3);
    addField(g1, 1, 0, QStringLiteral("Имя"), "Label3", GoodsSale::Name);
    addField(g1, 2, 0, QStringLiteral("Отчество"), "Label4", GoodsSale::Otchestvo);
    layout->addWidget(groupBox1);

    auto* groupBox2 = named(new QGroupBox(QStringLiteral("Паспортные данные"), page), "GroupBox2");
    auto* g2 = new QGridLayout(groupBox2);
    auto* comboBox2 = named(new QComboBox(groupBox2), "ComboBox2");
    comboBox2->addItems({QStringLiteral("1 Паспорт"), QStringLiteral("2 Удостоверение")});
    g2->addWidget(comboBox2, 0, 0, 1, 2);
    addField(g2, 0, 2, QStringLiteral("Серия"), "Label6", GoodsSale::PasportSeri);
    addField(g2, 0, 4, QStringLiteral("№"), "Label7", GoodsSale::PasportNomer);
    addField(g2, 1, 0, QStringLiteral("Выдан"), "Label5", GoodsSale::PasportVidan, 5);
    g2->addWidget(label(QStringLiteral("Когда"), "Label8", groupBox2), 2, 0);
    dateTimePicker1_ = datePicker("DateTimePicker1", groupBox2);
    g2->addWidget(dateTimePicker1_, 2, 1);
    g2->addWidget(label(QStringLiteral("Дата рождения"), "Label9", groupBox2), 2, 2, 1, 2);
    dateTimePicker2_ = datePicker("DateTimePicker2", groupBox2);
    g2->addWidget(dateTimePicker2_, 2, 4, 1, 2);
    layout->addWidget(groupBox2);

    auto* groupBox3 = named(new QGroupBox(QStringLiteral("Адрес регистрации (прописка)"), page), "GroupBox3");
    auto* g3 = new QGridLayout(groupBox3);
    addField(g3, 0, 0, QStringLiteral("Страна"), "Label12", GoodsSale::Strana);
    addField(g3, 0, 2, QStringLiteral("Область"), "Label13", GoodsSale::Oblast);
    addField(g3, 1, 0, QStringLiteral("Район (Город)"), "Label14", GoodsSale::Gorod);
    addField(g3, 1, 2, QStringLiteral("Адрес"), "Label15", GoodsSale::Adres);
    layout->addWidget(groupBox3);
    layout->addStretch(1);
    return page;
}

QWidget* TProdaja::buildGoodsTab() {
    auto* page = named(new QWidget(), "TabSheet2");
    auto* g = new QGridLayout(page);
    g->addWidget(label(QStringLiteral("Код товара (Артикул)"), "Label18", page), 0, 0);
    auto* article = new QHBoxLayout();
    QLineEdit* kodTovar = makeEdit(GoodsSale::KodTovar, page);
    kodTovar->installEventFilter(this);
    article->addWidget(kodTovar, 1);
    auto* button1 = Widgets::button(QStringLiteral("..."), "Button1", page);
    button1->setAutoDefault(false);
    button1->setFixedWidth(32);
    connect(button1, &QPushButton::clicked, &sale_, &GoodsSale::chooseGoods);
    article->addWidget(button1);
    g->addLayout(article, 0, 1);
    addField(g, 1, 0, QStringLiteral("Счет/инвойс"), "Label11", GoodsSale::Invoice);
    addField(g, 2, 0, QStringLiteral("Наименование"), "Label19", GoodsSale::NaimenTovar);
    addField(g, 3, 0, QStringLiteral("Цена"), "Label21", GoodsSale::Cena);
    addField(g, 4, 0, QStringLiteral("Количество"), "Label20", GoodsSale::Kolich);
    addField(g, 5, 0, QStringLiteral("Особые условия номер телефона"), "Label22", GoodsSale::Osobiuslov);
    addField(g, 6, 0, QStringLiteral("Код SIM карты примечание"), "Label23", GoodsSale::Primech);
    g->setRowStretch(7, 1);
    for (const GoodsSale::Field f :
         {GoodsSale::KodTovar, GoodsSale::Invoice, GoodsSale::NaimenTovar, GoodsSale::Cena})
        field(f)->setReadOnly(true);
    return page;
}

void TProdaja::syncFromSale() {
    setWindowTitle(sale_.caption());
    bitBtn2_->setEnabled(sale_.recordEnabled());
    for (int i = 0; i < GoodsSale::FieldCount; ++i) {
        const auto f = GoodsSale::Field(i);
        if (edits_[size_t(i)]->text() != sale_.text(f))
            edits_[size_t(i)]->setText(sale_.text(f));
    }
    if (dateTimePicker1_->date() != sale_.issued())
        dateTimePicker1_->setDate(sale_.issued());
    if (dateTimePicker2_->date() != sale_.born())
        dateTimePicker2_->setDate(sale_.born());
}

bool TProdaja::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field(GoodsSale::KodTovar) && event->type() == QEvent::MouseButtonDblClick) {
        sale_.chooseGoods();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

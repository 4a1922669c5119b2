#include "ui/Unit1.h"

#include "core/Builtins.h"
#include "goods/GoodsSale.h"
#include "link/AccountSession.h"
#include "link/Cancellation.h"
#include "link/PaymentSearch.h"
#include "link/ServerLink.h"
#include "link/Transmission.h"
#include "payments/UnsentRows.h"
#include "platform/Dialogs.h"
#include "platform/SafeCall.h"
#include "reports/Receipt.h"
#include "reports/SpreadsheetExport.h"
#include "terminal/Terminal.h"
#include "ui/ElidedLabel.h"
#include "ui/FlowLayout.h"
#include "ui/JournalGrid.h"
#include "ui/Logo.h"
#include "ui/PrintSettingsBox.h"
#include "ui/StatisticsPage.h"
#include "ui/Widgets.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

using Widgets::button;
using Widgets::label;
using Widgets::named;

const int kStatusWidths[StatusLine::PanelCount] = {70, 200, 60, 100, 50, 100, 60, 50, 80, 50};
// The fixed captions of the even panels.
const char* const kStatusCaptions[StatusLine::PanelCount] = {"Состояние", nullptr, "Депозит", nullptr, "Лимит",
                                                           nullptr,     "Терминал", nullptr, "СЕРВЕР", nullptr};
const QString kUnknown = QStringLiteral("---");

} // namespace

template <typename F> auto TwinMain::guard(F f) {
    return SafeCall::guarded(terminal_.dialogs(), std::move(f));
}

TwinMain::TwinMain(Terminal& terminal, QWidget* parent) : QMainWindow(parent), terminal_(terminal) {
    setObjectName(QStringLiteral("winMain"));
    setWindowTitle(QStringLiteral("Orvanta версия ") + terminal_.environment().version());

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildHeader(central);

    news_ = label(QString(), "News", central);
    news_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    news_->setFixedHeight(22);
    // The ticker's caption only grows; the line keeps the window's width and
    // what no longer fits leaves on the left.
    news_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    news_->setMinimumWidth(0);
    news_->setStyleSheet(QStringLiteral(
        "QLabel#News { background: #008080; color: white; font-weight: bold; padding: 0 6px; }"));
    column->addWidget(news_);

    pageControl1_ = named(new QTabWidget(central), "PageControl1");
    pageControl1_->addTab(buildPaymentsPage(), QStringLiteral("Платежи"));
    pageControl1_->addTab(buildStatisticsPage(), QStringLiteral("Статистика"));
    pageControl1_->addTab(buildSearchPage(), QStringLiteral("Поиск платежа"));
    pageControl1_->addTab(buildSettingsPage(), QStringLiteral("Настройки"));
    column->addWidget(pageControl1_, 1);
    setCentralWidget(central);

    buildPopupMenu();
    buildStatusBar();
    buildTabKeys();

    resize(924, 668);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    NewsTime.setObjectName(QStringLiteral("NewsTime"));
    NewsTime.setInterval(300);
    connect(&NewsTime, &QTimer::timeout, this, &TwinMain::NewsTimeTimer);
    follow();
    // The window comes up with the keys on the journal.
    grid_->setFocus(Qt::OtherFocusReason);
}

TwinMain::~TwinMain() = default;

void TwinMain::NewsTimeTimer() {
    news_->setText(ticker_.tick());
}

void TwinMain::closeEvent(QCloseEvent* event) {
    // Only work in hand is worth a question; otherwise the program ends at once.
    const QString question = terminal_.exitQuestion();
    if (!question.isEmpty() && !terminal_.dialogs().question(question, QStringLiteral("Выход"))) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    // Closing the main window ends the program, whatever other window is open.
    if (event->isAccepted())
        QCoreApplication::quit();
}

void TwinMain::buildHeader(QWidget* central) {
    auto* panel1 = named(new QWidget(central), "Panel1");
    panel1->setAutoFillBackground(true);
    QPalette pal = panel1->palette();
    pal.setColor(QPalette::Window, Qt::white);
    panel1->setPalette(pal);
    panel1->setFixedHeight(96);

    auto* row = new QHBoxLayout(panel1);
    row->setContentsMargins(8, 4, 8, 4);

    auto* logoColumn = new QVBoxLayout();
    auto* image1 = label(QString(), "Image1", panel1);
    image1->setPixmap(Logo::pixmap(64));
    image1->setToolTip(Builtins::webAddress());
    image1->setAlignment(Qt::AlignCenter);
    logoColumn->addWidget(image1);
    auto* label8 = label(QStringLiteral("Orvanta"), "Label8", panel1);
    label8->setAlignment(Qt::AlignCenter);
    label8->setStyleSheet(QStringLiteral("color: #006666; font-weight: bold;"));
    logoColumn->addWidget(label8);
    row->addLayout(logoColumn);

    auto* titleColumn = new QVBoxLayout();
    auto* label9 = label(QStringLiteral("Приём платежей"), "Label9", panel1);
    label9->setStyleSheet(QStringLiteral("color: #004080; font-size: 20px; font-weight: bold;"));
    titleColumn->addWidget(label9);
    vers_ = label(terminal_.environment().version(), "Vers", panel1);
    vers_->setStyleSheet(QStringLiteral("color: gray;"));
    titleColumn->addWidget(vers_);
    titleColumn->addStretch();
    row->addLayout(titleColumn);
    row->addSpacing(24);

    auto* facts = new QGridLayout();
    facts->setHorizontalSpacing(8);
    facts->setVerticalSpacing(2);
    const QString captionStyle = QStringLiteral("color: #404040;");
    const QString valueStyle = QStringLiteral("color: #000080; font-weight: bold;");
    auto addFact = [&](int r, const QString& caption, const char* captionName, QLabel*& value,
                       const char* valueName) {
        auto* c = label(caption, captionName, panel1);
        c->setStyleSheet(captionStyle);
        value = label(QStringLiteral("---"), valueName, panel1);
        value->setStyleSheet(valueStyle);
        facts->addWidget(c, r, 0);
        facts->addWidget(value, r, 1);
    };
    addFact(0, QStringLiteral("Терминал N"), "Label1", label2_, "Label2");
    addFact(1, QStringLiteral("Адрес"), "Label3", label4_, "Label4");
    addFact(2, QStringLiteral("Пользователь"), "Label6", label5_, "Label5");
    addFact(3, QStringLiteral("Служба поддержки"), "Label19", label20_, "Label20");
    row->addLayout(facts, 1);

    auto* buttons = new QVBoxLayout();
    cmdOK_ = button(QStringLiteral("&Регистрация"), "cmdOK", panel1, QStringLiteral("Регистрация на сервере"));
    auto* bitBtn2 =
        button(QStringLiteral("Отключ&иться"), "BitBtn2", panel1, QStringLiteral("Отсоедениться от сервера"));
    auto* bitBtn1 = button(QStringLiteral("&Выход"), "BitBtn1", panel1, QStringLiteral("Выход из программы"));
    for (QPushButton* b : {cmdOK_, bitBtn2, bitBtn1}) {
        b->setMinimumWidth(120);
        // Reached by Alt and the letter or the mouse only: as the first controls
        // of the window they would take the keys whenever the window gets them
        // back, and an Enter meant for a payment would disconnect or quit.
        b->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(b);
    }
    row->addLayout(buttons);

    connect(cmdOK_, &QPushButton::clicked, this, guard([this] { terminal_.connectToServer(); }));
    connect(bitBtn2, &QPushButton::clicked, this, guard([this] { terminal_.disconnectFromServer(); }));
    connect(bitBtn1, &QPushButton::clicked, this, &QWidget::close);

    static_cast<QVBoxLayout*>(central->layout())->addWidget(panel1);
}

QWidget* TwinMain::buildPaymentsPage() {
    auto* page = named(new QWidget(), "TabSheet1");
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);

    tabControl1_ = named(new QTabBar(page), "TabControl1");
    for (int tab = 0; tab < CategoryCount; ++tab)
        tabControl1_->addTab(categoryCaption(tab));
    tabControl1_->setExpanding(false);
    // All seven categories fit the window's width without scroll arrows.
    tabControl1_->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 4px 7px; margin-right: 1px; border: 1px solid #a0a0a0; border-bottom: none;"
        " border-top-left-radius: 3px; border-top-right-radius: 3px; background: #e6e6e6; }"
        "QTabBar::tab:selected { background: white; color: #000080; }"));
    column->addWidget(tabControl1_);

    winSotka_ = named(new QWidget(page), "WinSotka");
    auto* flow = new FlowLayout(winSotka_, 4);
    for (int i = 0; i < 19; ++i) {
        auto* b = new QToolButton(winSotka_);
        b->setObjectName(QStringLiteral("Buton%1").arg(i + 1));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setIconSize(QSize(32, 32));
        b->setMinimumWidth(170);
        b->setAutoRaise(false);
        b->hide(); // shown by the first catalogue build
        connect(b, &QToolButton::clicked, this, guard([this, i] { terminal_.openOperator(i); }));
        butons_[size_t(i)] = b;
        flow->addWidget(b);
    }
    column->addWidget(winSotka_);

    grid_ = new JournalGrid(&terminal_.journal(), page);
    grid_->setIconLookup([&env = terminal_.environment()](const QString& article) {
        return env.operatorIcon(article);
    });
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    column->addWidget(grid_, 1);
    column->addWidget(new JournalSearchBar(grid_, page));

    memo1_ = named(new QPlainTextEdit(page), "Memo1");
    memo1_->setReadOnly(true);
    memo1_->hide(); // the protocol log is never shown

    panel4_ = named(new QWidget(page), "Panel4");
    auto* p4 = new QHBoxLayout(panel4_);
    p4->setContentsMargins(4, 2, 4, 2);
    platej_ = label(QStringLiteral("ПЕРЕДАЁМ ПЛАТЕЖИ....."), "Platej", panel4_);
    platej_->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold;"));
    // A sale's account is its whole questionnaire: the caption is cut, the window keeps its width.
    platej_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    progressBar1_ = named(new QProgressBar(panel4_), "ProgressBar1");
    progressBar1_->setRange(0, 100);
    p4->addWidget(platej_, 1);
    p4->addWidget(progressBar1_, 1);
    panel4_->hide();
    column->addWidget(panel4_);

    auto* toolBar2 = named(new QToolBar(page), "ToolBar2");
    toolBar2->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolButton4_ = named(new QToolButton(toolBar2), "ToolButton4");
    toolButton4_->setText(QStringLiteral("Проверить депозит"));
    toolButton4_->setShortcut(QKeySequence(Qt::Key_F7));
    toolButton4_->setToolTip(QStringLiteral("Проверить депозит (F7)"));
    toolBar2->addWidget(toolButton4_);
    connect(toolButton4_, &QToolButton::clicked, this, guard([this] { terminal_.account().checkDeposit(); }));
    // The shift's close beside the deposit: the money of the day counted where it is checked.
    auto* shiftButton = named(new QToolButton(toolBar2), "ToolButtonShift");
    shiftButton->setText(QStringLiteral("Закрытие смены"));
    toolBar2->addWidget(shiftButton);
    connect(shiftButton, &QToolButton::clicked, this, &TwinMain::shiftRequested);
    auto* toolButton5 = named(new QToolButton(toolBar2), "ToolButton5");
    toolButton5->setText(QStringLiteral("Отменить транзакцию"));
    toolButton5->setShortcut(QKeySequence(Qt::Key_F8));
    toolButton5->setToolTip(QStringLiteral("Отменить транзакцию (F8)"));
    toolBar2->addWidget(toolButton5);
    connect(toolButton5, &QToolButton::clicked, this,
            guard([this] { terminal_.cancellation().command(selectedRow()); }));
    toolBar2->addSeparator();
    dateDATA_ = named(new QDateEdit(toolBar2), "DateDATA");
    dateDATA_->setCalendarPopup(true);
    dateDATA_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    toolBar2->addWidget(dateDATA_);
    // The day's unsent payments beside the day they belong to, so that a shift is
    // not closed with one left. The status bar has no room left at this width.
    unsentPanel_ = label(QString(), "UnsentPanel", toolBar2);
    unsentPanel_->setContentsMargins(8, 0, 8, 0);
    unsentPanel_->setToolTip(QStringLiteral("Платежи этого дня, ожидающие отправки"));
    toolBar2->addWidget(unsentPanel_);
    toolBar2->addSeparator();
    toolButton7_ = named(new QToolButton(toolBar2), "ToolButton7");
    toolButton7_->setText(QStringLiteral("&Сервис"));
    toolButton7_->setPopupMode(QToolButton::InstantPopup);
    toolBar2->addWidget(toolButton7_);
    column->addWidget(toolBar2);

    groupTovar_ = named(new QGroupBox(QStringLiteral("ТОВАРЫ"), page), "GroupTovar");
    auto* goods = new QHBoxLayout(groupTovar_);
    // Alt and a letter from anywhere on the goods tab; the Tab key would pass
    // the whole journal first.
    auto* bitBtn14 = button(QStringLiteral("ПРАЙС-&ЛИСТ"), "BitBtn14", groupTovar_);
    auto* bitBtn13 = button(QStringLiteral("&Продажа товара"), "BitBtn13", groupTovar_);
    auto* bitBtn11 = button(QStringLiteral("&Оборотная ведомость"), "BitBtn11", groupTovar_);
    auto* bitBtn10 = button(QStringLiteral("Товары на с&кладе"), "BitBtn10", groupTovar_);
    for (QPushButton* b : {bitBtn14, bitBtn13, bitBtn11, bitBtn10})
        goods->addWidget(b);
    connect(bitBtn14, &QPushButton::clicked, this, &TwinMain::priceListRequested);
    connect(bitBtn13, &QPushButton::clicked, this, guard([this] { terminal_.goodsSale().open(); }));
    connect(bitBtn11, &QPushButton::clicked, this, &TwinMain::turnoverRequested);
    connect(bitBtn10, &QPushButton::clicked, this, [this] {
        // The main window's stock is the stock to look at, not a chooser for the sale.
        terminal_.goodsSale().setPickMode(false);
        emit stockRequested();
    });
    auto* bitBtn12 = button(QStringLiteral("Статистика продаж"), "BitBtn12", groupTovar_);
    bitBtn12->setEnabled(false);
    goods->addWidget(bitBtn12);
    groupTovar_->hide();
    column->addWidget(groupTovar_);

    connect(dateDATA_, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        SafeCall::run(terminal_.dialogs(), [&] { terminal_.days().showDay(date); });
    });
    connect(tabControl1_, &QTabBar::currentChanged, this, [this](int index) {
        SafeCall::run(terminal_.dialogs(), [&] { terminal_.catalogue().selectCategory(index); });
    });
    return page;
}

QWidget* TwinMain::buildStatisticsPage() {
    return new StatisticsPage(terminal_.statistics(), terminal_.dialogs());
}

QWidget* TwinMain::buildSearchPage() {
    auto* page = named(new QWidget(), "TabSheet4");
    auto* column = new QVBoxLayout(page);
    const QString hint = QStringLiteral("Наберите номер телефона для поиска 5 последних платежей");
    auto* label43 = label(QStringLiteral("Номер абонента для поиска платежей:"), "Label43", page);
    label43->setToolTip(hint);
    auto* edit6 = named(new QLineEdit(page), "Edit6");
    edit6->setToolTip(hint);
    poisk_ = button(QStringLiteral("Начать поиск"), "Poisk", page);
    auto* row = new QHBoxLayout();
    row->addWidget(label43);
    row->addWidget(edit6, 1);
    row->addWidget(poisk_);
    column->addLayout(row);

    auto* groupBox1 = named(new QGroupBox(QStringLiteral("Найденные платежи"), page), "GroupBox1");
    auto* inner = new QVBoxLayout(groupBox1);
    memo2_ = named(new QPlainTextEdit(groupBox1), "Memo2");
    memo2_->setReadOnly(true);
    memo2_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo2_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo2_->setToolTip(QStringLiteral("Пять последних успешных платежей"));
    inner->addWidget(memo2_);
    column->addWidget(groupBox1, 1);

    auto start = guard([this, edit6] { terminal_.search().start(edit6->text()); });
    connect(poisk_, &QPushButton::clicked, this, start);
    connect(edit6, &QLineEdit::returnPressed, this, start);
    return page;
}

QWidget* TwinMain::buildSettingsPage() {
    auto* page = named(new QWidget(), "TabSheet2");
    auto* column = new QVBoxLayout(page);

    auto* panel5 = named(new QGroupBox(QStringLiteral("Замена пароля"), page), "Panel5");
    auto* pw = new QGridLayout(panel5);
    const char* names[3] = {"Edit3", "Edit4", "Edit5"};
    const char* labelNames[3] = {"Label10", "Label11", "Label12"};
    const QString captions[3] = {QStringLiteral("Старый пароль"), QStringLiteral("Новый пароль"),
                                 QStringLiteral("Новый пароль")};
    std::array<QLineEdit*, 3> edits{};
    for (int i = 0; i < 3; ++i) {
        auto* e = named(new QLineEdit(panel5), names[i]);
        edits[size_t(i)] = e;
        e->setEchoMode(QLineEdit::Password);
        e->setToolTip(i == 0 ? QString() : QStringLiteral("Пароль должен быть не менее 8 знаков"));
        pw->addWidget(label(captions[i], labelNames[i], panel5), i, 0);
        pw->addWidget(e, i, 1);
    }
    button20_ =
        button(QStringLiteral("Заменить"), "Button20", panel5, QStringLiteral("Произвести замену пароля"));
    pw->addWidget(button20_, 3, 1);
    connect(button20_, &QPushButton::clicked, this, guard([this, edits] {
                terminal_.account().changePassword(edits[0]->text(), edits[1]->text(), edits[2]->text());
            }));
    panel5->setMaximumWidth(420);
    column->addWidget(panel5);

    auto* groupBox2 = named(new QGroupBox(QStringLiteral("Сетевые настройки"), page), "GroupBox2");
    auto* net = new QGridLayout(groupBox2);
    comboBox1_ = named(new QComboBox(groupBox2), "ComboBox1");
    comboBox1_->setEditable(true);
    comboBox1_->addItems(Builtins::serverAddresses());
    comboBox2_ = named(new QComboBox(groupBox2), "ComboBox2");
    comboBox2_->setEditable(true);
    comboBox2_->addItems(Builtins::serverPorts());
    net->addWidget(label(QStringLiteral("IP адрес"), "Label14", groupBox2), 0, 0);
    net->addWidget(comboBox1_, 0, 1);
    net->addWidget(label(QStringLiteral("IP порт"), "Label15", groupBox2), 1, 0);
    net->addWidget(comboBox2_, 1, 1);
    auto* button2 = button(QStringLiteral("Сохранить"), "Button2", groupBox2,
                           QStringLiteral("Сохранить сетевые настройки"));
    net->addWidget(button2, 2, 1);
    auto* labelTls = label(QStringLiteral("Соединение: без шифрования"), "LabelTls", groupBox2);
    net->addWidget(labelTls, 3, 0, 1, 2);
    connect(&terminal_.link(), &ServerLink::tlsChanged, labelTls, [labelTls](bool on) {
        labelTls->setText(on ? QStringLiteral("Соединение: защищенное (TLS)")
                             : QStringLiteral("Соединение: без шифрования"));
    });
    groupBox2->setMaximumWidth(420);
    column->addWidget(groupBox2);
    column->addWidget(new PrintSettingsBox(terminal_, page));
    column->addStretch();

    connect(button2, &QPushButton::clicked, this, guard([this] {
                terminal_.saveNetworkSettings(comboBox1_->currentText(), comboBox2_->currentText());
            }));
    return page;
}

void TwinMain::buildPopupMenu() {
    popupMenu1_ = named(new QMenu(this), "PopupMenu1");
    auto add = [this](const char* name, const QString& caption, const QString& hint = QString(),
                      const QKeySequence& key = QKeySequence()) {
        auto* a = named(new QAction(caption, this), name);
        if (!hint.isEmpty())
            a->setToolTip(hint);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            // The shortcut works from anywhere in the main window, not only with the menu open.
            a->setShortcutContext(Qt::WindowShortcut);
            addAction(a);
        }
        popupMenu1_->addAction(a);
        return a;
    };
    auto separator = [this](const char* name) { named(popupMenu1_->addSeparator(), name); };

    // The items a cashier learned by position come first, in their order; the
    // program's own additions follow "Открыть файл", so "Menu, Down, Down,
    // Enter" still means the export.
    auto* n10 = add("N10", QStringLiteral("&Квитанция"), QString(), QKeySequence(Qt::Key_F2));
    auto* excel1 =
        add("Excel1", QStringLiteral("&Сохранить в Excel"), QStringLiteral("Сохранить ведомость в Excel"));
    separator("N2");
    n7_ = add("N7", QStringLiteral("&Провести платеж"), QStringLiteral("Провеести ранее отложенный платеж"),
              QKeySequence(Qt::Key_F5));
    // F8 belongs to "Отменить транзакцию", the same command, which is never
    // disabled; the item only shows the key.
    n6_ = add("N6", QStringLiteral("&Отменить платеж\tF8"), QStringLiteral("Отменить ошибочный платеж"));
    separator("N8");
    n4_ = add("N4", QStringLiteral("О&бновить статусы"), QString(), QKeySequence(Qt::Key_F6));
    n3_ = add("N3", QStringLiteral("Провести &все платежи"),
              QStringLiteral("Провести все отложенные платежи"));
    add("N12", QStringLiteral("&Загрузка данных"))->setEnabled(false);
    separator("N9");
    auto* n11 = add("N11", QStringLiteral("Открыть &файл"));
    separator("N13");
    // A look at the receipt first saves paper, and a jammed one is printed again from here.
    auto* preview =
        add("ReceiptPreview", QStringLiteral("Прос&мотр"), QStringLiteral("Просмотр квитанции"));
    // The day shown against the server's own statement of it.
    reconcile_ = add("Reconcile", QStringLiteral("Сверка с се&рвером"),
                     QStringLiteral("Сравнить журнал дня с выпиской сервера"));
    // The day's deletions, for whoever counts the day's money.
    auto* deletions = add("Deletions", QStringLiteral("&Удаленные платежи"),
                          QStringLiteral("Платежи, удаленные за день, по записи удалений"));
    auto* shift = add("ShiftClose", QStringLiteral("Закрытие сме&ны"),
                      QStringLiteral("Касса смены, X- и Z-отчеты"));

    connect(n10, &QAction::triggered, this, guard([this] { printReceipt(false); }));
    connect(preview, &QAction::triggered, this, guard([this] { printReceipt(true); }));
    connect(excel1, &QAction::triggered, this, guard([this] { terminal_.exportJournal(); }));
    connect(reconcile_, &QAction::triggered, this, &TwinMain::reconciliationRequested);
    connect(deletions, &QAction::triggered, this, &TwinMain::deletionsRequested);
    connect(shift, &QAction::triggered, this, &TwinMain::shiftRequested);
    // The dialog stays at hand when F2 prints straight to the printer set.
    auto* printChoose = add("PrintChoose", QStringLiteral("Пе&чать с выбором принтера…"),
                            QStringLiteral("Квитанция через диалог выбора принтера"));
    connect(printChoose, &QAction::triggered, this, guard([this] {
                const PaymentJournal& journal = terminal_.journal();
                terminal_.receipt().print(journal, journal.currentRow(), terminal_.days().shownDay(),
                                          Printing::Choice::Dialog);
            }));
    connect(n11, &QAction::triggered, this, guard([this] { terminal_.days().openDayFile(); }));
    connect(n7_, &QAction::triggered, this,
            guard([this] { terminal_.transmission().sendSelected(selectedRow()); }));
    connect(n6_, &QAction::triggered, this, guard([this] { terminal_.cancellation().command(selectedRow()); }));
    connect(n3_, &QAction::triggered, this, guard([this] { terminal_.transmission().sendAll(); }));
    connect(n4_, &QAction::triggered, this, guard([this] { terminal_.transmission().refreshStatuses(); }));
    popupMenu1_->setToolTipsVisible(true);
    toolButton7_->setMenu(popupMenu1_);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { popupMenu1_->popup(grid_->viewport()->mapToGlobal(pos)); });
}

void TwinMain::buildTabKeys() {
    // Wherever the focus is: the grid and the fields would take these keys for themselves.
    auto key = [this](const char* name, const QList<QKeySequence>& keys, int step, bool categories) {
        auto* a = named(new QAction(this), name);
        a->setShortcuts(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        connect(a, &QAction::triggered, this, [this, step, categories] {
            // Ctrl+Tab walks the categories on the payments page, the pages elsewhere.
            if (categories && pageControl1_->currentIndex() == 0) {
                const int n = tabControl1_->count();
                tabControl1_->setCurrentIndex((tabControl1_->currentIndex() + step + n) % n);
                return;
            }
            const int n = pageControl1_->count();
            pageControl1_->setCurrentIndex((pageControl1_->currentIndex() + step + n) % n);
            // The keys go to the page's first control: left where they were, they
            // would fall to the header's buttons, and an Enter would disconnect.
            QWidget* page = pageControl1_->currentWidget();
            for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
                if (page->isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
                    w->setFocus(Qt::TabFocusReason);
                    break;
                }
            }
        });
    };
    key("NextCategory", {QKeySequence(Qt::CTRL | Qt::Key_Tab)}, 1, true);
    key("PreviousCategory",
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)}, -1,
        true);
    key("NextPage", {QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, 1, false);
    key("PreviousPage", {QKeySequence(Qt::CTRL | Qt::Key_PageUp)}, -1, false);
}

void TwinMain::buildStatusBar() {
    auto* bar = named(new QStatusBar(this), "StatusBar1");
    bar->setSizeGripEnabled(false);
    QFont small = bar->font();
    small.setPointSize(8);
    bar->setFont(small);
    for (int i = 0; i < 10; ++i) {
        // The server takes what is left and shortens in the middle, so an
        // encrypted link's "(TLS)" shows at the window's size.
        auto* panel = i == 9 ? new ElidedLabel(bar) : new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        // A fixed caption ("Состояние", "Терминал"...) always fits its panel,
        // whatever the font.
        int width = kStatusWidths[i];
        if (kStatusCaptions[i]) {
            const QString caption = QString::fromUtf8(kStatusCaptions[i]);
            panel->setText(caption);
            width = std::max(width,
                             panel->fontMetrics().horizontalAdvance(caption) + 2 * panel->frameWidth() + 8);
        } else {
            panel->setText(terminal_.status().text(StatusPanel(i)));
        }
        if (i == 9) {
            panel->setMinimumWidth(width);
            bar->addWidget(panel, 1);
        } else {
            panel->setFixedWidth(width);
            bar->addWidget(panel);
        }
        if (i == 0)
            panel->setAlignment(Qt::AlignCenter);
        statusPanels_[size_t(i)] = panel;
    }
    // The last workbook kept by the spreadsheet export, once there is one.
    workbook_ = named(new ElidedLabel(bar), "StatusWorkbook");
    workbook_->setFrameShape(QFrame::Panel);
    workbook_->setFrameShadow(QFrame::Sunken);
    workbook_->hide();
    bar->addPermanentWidget(workbook_, 1);
    setStatusBar(bar);
}


JournalRow TwinMain::selectedRow() const {
    const PaymentJournal& journal = terminal_.journal();
    return journal.paymentRow(journal.currentRow());
}

void TwinMain::printReceipt(bool preview) {
    const PaymentJournal& journal = terminal_.journal();
    const QDate day = terminal_.days().shownDay();
    if (preview)
        terminal_.receipt().preview(journal, journal.currentRow(), day);
    else
        terminal_.receipt().print(journal, journal.currentRow(), day);
}

void TwinMain::follow() {
    Terminal& t = terminal_;
    connect(&t.session(), &Session::changed, this, &TwinMain::showHeader);
    connect(&t.settings(), &TerminalSettings::changed, this, &TwinMain::showHeader);
    connect(&t.status(), &StatusLine::changed, this, &TwinMain::showStatus);
    connect(&t.spreadsheet(), &SpreadsheetExport::saved, this, &TwinMain::showWorkbook);
    connect(&t.link(), &ServerLink::registerEnabledChanged, this, &TwinMain::showCommands);
    connect(&t.account(), &AccountSession::commandsChanged, this, &TwinMain::showCommands);
    connect(&t.transmission(), &Transmission::commandsChanged, this, &TwinMain::showCommands);
    connect(&t.transmission(), &Transmission::panelChanged, this, &TwinMain::showTransmission);
    connect(&t.unsent(), &UnsentRows::changed, this, &TwinMain::showUnsent);
    connect(&t.search(), &PaymentSearch::changed, this, &TwinMain::showSearch);
    connect(&t.catalogue(), &OperatorCatalogue::changed, this, &TwinMain::showCatalogue);
    connect(&t.network(), &NetworkSettings::changed, this, &TwinMain::showNetwork);
    connect(&t.days(), &DayJournal::shownDayChanged, this, &TwinMain::showDay);
    connect(&t.account(), &AccountSession::newsReceived, this, [this](const QString& text) {
        ticker_.append(text);
        if (!NewsTime.isActive())
            NewsTime.start();
    });

    showHeader();
    showCommands();
    showTransmission();
    showUnsent(t.unsent().count());
    showSearch();
    showCatalogue();
    showNetwork();
    showDay(t.days().shownDay());
}

void TwinMain::showHeader() {
    const QString& terminal = terminal_.session().terminalNumber();
    label2_->setText(terminal.isEmpty() ? kUnknown : terminal);
    const TerminalSettings& s = terminal_.settings();
    label4_->setText(s.applied() ? s.address() : kUnknown);
    label5_->setText(s.applied() ? s.user() : kUnknown);
    // A long address or name may be cut by the window's width.
    label4_->setToolTip(label4_->text());
    label5_->setToolTip(label5_->text());
    label20_->setText(s.applied() ? s.supportPhone() : kUnknown);
}

void TwinMain::showStatus(StatusPanel panel, const QString& text) {
    QLabel* shown = statusPanels_[size_t(panel)];
    if (auto* elided = qobject_cast<ElidedLabel*>(shown)) {
        elided->setFullText(text);
        elided->setToolTip(text);
    } else {
        shown->setText(text);
        // A text wider than its fixed panel is cut: the whole of it in the tooltip.
        const bool cut = shown->fontMetrics().horizontalAdvance(text) > shown->contentsRect().width() - 2;
        shown->setToolTip(cut ? text : QString());
    }
}

void TwinMain::showWorkbook(const QString& path) {
    workbook_->setFullText(QStringLiteral("Книга: ") + QFileInfo(path).fileName());
    workbook_->setToolTip(QDir::toNativeSeparators(path));
    workbook_->show();
}

void TwinMain::showCommands() {
    cmdOK_->setEnabled(terminal_.link().registerEnabled());
    toolButton4_->setEnabled(terminal_.account().depositCheckEnabled());
    button20_->setEnabled(terminal_.account().passwordChangeEnabled());
    const Transmission::Commands& c = terminal_.transmission().commands();
    n3_->setEnabled(c.sendAll);
    n4_->setEnabled(c.refreshStatuses);
    n6_->setEnabled(c.cancel);
    n7_->setEnabled(c.sendSelected);
}

void TwinMain::showTransmission() {
    const Transmission::Panel& p = terminal_.transmission().panel();
    panel4_->setVisible(p.visible);
    platej_->setText(p.caption.isEmpty() ? QStringLiteral("ПЕРЕДАЁМ ПЛАТЕЖИ.....") : p.caption);
    progressBar1_->setMaximum(qMax(1, p.maximum));
    progressBar1_->setValue(qBound(0, p.position, qMax(1, p.maximum)));
}

void TwinMain::showUnsent(int count) {
    unsentPanel_->setText(QStringLiteral("Не отправлено: %1").arg(count));
    unsentPanel_->setStyleSheet(count > 0 ? QStringLiteral("color: #c00000; font-weight: bold;")
                                          : QStringLiteral("color: #606060;"));
}

void TwinMain::showSearch() {
    const PaymentSearch& search = terminal_.search();
    poisk_->setEnabled(search.enabled());
    const QString text = search.result().join(QLatin1Char('\n'));
    if (memo2_->toPlainText() != text)
        memo2_->setPlainText(text);
}

void TwinMain::showCatalogue() {
    const OperatorCatalogue& c = terminal_.catalogue();
    if (tabControl1_->currentIndex() != c.categoryTab()) {
        const QSignalBlocker block(tabControl1_);
        tabControl1_->setCurrentIndex(c.categoryTab());
    }
    groupTovar_->setVisible(c.goodsGroupVisible());
    // Only buttons whose state changed are touched.
    for (int i = 0; i < OperatorCatalogue::ButtonCount; ++i) {
        const OperatorButton& s = c.button(i);
        OperatorButton& shown = shownButtons_[size_t(i)];
        QToolButton* b = butons_[size_t(i)];
        if (s.accelerator != shown.accelerator || s.name != shown.name)
            b->setText(QLatin1Char('&') + s.accelerator + QLatin1Char(' ') + s.name);
        if (s.article != shown.article)
            b->setToolTip(s.article);
        if (s.enabled != shown.enabled)
            b->setEnabled(s.enabled);
        if (s.iconPath != shown.iconPath)
            b->setIcon(s.iconPath.isEmpty() ? QIcon() : QIcon(s.iconPath));
        if (s.visible != shown.visible)
            b->setVisible(s.visible);
        shown = s;
    }
}

void TwinMain::showNetwork() {
    const NetworkSettings& n = terminal_.network();
    if (comboBox1_->currentText() != n.serverAddress())
        comboBox1_->setCurrentText(n.serverAddress());
    if (comboBox2_->currentText() != n.serverPort())
        comboBox2_->setCurrentText(n.serverPort());
}

void TwinMain::showDay(const QDate& day) {
    if (day.isValid() && dateDATA_->date() != day) {
        const QSignalBlocker block(dateDATA_);
        dateDATA_->setDate(day);
    }
}

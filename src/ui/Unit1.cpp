#include "ui/Unit1.h"

#include "core/Builtins.h"
#include "core/OperatorCatalogue.h"
#include "link/AccountSession.h"
#include "link/Cancellation.h"
#include "link/PaymentSearch.h"
#include "link/ServerLink.h"
#include "link/Transmission.h"
#include "platform/Dialogs.h"
#include "reports/Receipt.h"
#include "terminal/Terminal.h"
#include "ui/ElidedLabel.h"
#include "ui/FlowLayout.h"
#include "ui/JournalGrid.h"
#include "ui/Logo.h"
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

const int kStatusWidths[10] = {70, 200, 60, 100, 50, 100, 60, 50, 80, 50};

} // namespace

TwinMain::TwinMain(const QString& programDir, Dialogs* dialogs, SystemClock* clock, FileDialog* fileDialog,
                   QWidget* parent)
    : QMainWindow(parent), terminal_(std::make_unique<Terminal>(programDir, dialogs, clock, fileDialog)),
      dialogs_(dialogs) {
    setObjectName(QStringLiteral("winMain"));

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

    resize(924, 668);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    connect(&terminal_->model(), &MainWindowModel::changed, this, &TwinMain::syncFromModel);
    FormCreate();
    syncFromModel();
}

TwinMain::~TwinMain() = default;

void TwinMain::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    // Closing the main window ends the program, whatever other window is open.
    if (event->isAccepted())
        QCoreApplication::quit();
}

void TwinMain::FormCreate() {
    // An error here ends the creation steps but not the program.
    try {
        terminal_->formCreate();
    } catch (const std::exception& e) {
        dialogs_->exception(QString::fromUtf8(e.what()));
    }
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
    vers_ = label(QString(), "Vers", panel1);
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
    cmdOK_ = button(QStringLiteral("Регистрация"), "cmdOK", panel1, QStringLiteral("Регистрация на сервере"));
    auto* bitBtn2 =
        button(QStringLiteral("Отключиться"), "BitBtn2", panel1, QStringLiteral("Отсоедениться от сервера"));
    auto* bitBtn1 = button(QStringLiteral("&Выход"), "BitBtn1", panel1, QStringLiteral("Выход из программы"));
    for (QPushButton* b : {cmdOK_, bitBtn2, bitBtn1}) {
        b->setMinimumWidth(120);
        buttons->addWidget(b);
    }
    row->addLayout(buttons);

    connect(cmdOK_, &QPushButton::clicked, this, [this] { terminal_->connectToServer(); });
    connect(bitBtn2, &QPushButton::clicked, this, [this] { terminal_->disconnectFromServer(); });
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
        connect(b, &QToolButton::clicked, this, [this, i] { terminal_->openOperator(i); });
        butons_[size_t(i)] = b;
        flow->addWidget(b);
    }
    column->addWidget(winSotka_);

    grid_ = new JournalGrid(&terminal_->journal(), page);
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
    toolBar2->addWidget(toolButton4_);
    connect(toolButton4_, &QToolButton::clicked, this, [this] { terminal_->account().checkDeposit(); });
    auto* toolButton5 = named(new QToolButton(toolBar2), "ToolButton5");
    toolButton5->setText(QStringLiteral("Отменить транзакцию"));
    toolBar2->addWidget(toolButton5);
    connect(toolButton5, &QToolButton::clicked, this, [this] { terminal_->cancellation().command(); });
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
    auto* toolButton7 = named(new QToolButton(toolBar2), "ToolButton7");
    toolButton7->setText(QStringLiteral("Сервис"));
    toolButton7->setPopupMode(QToolButton::InstantPopup);
    toolBar2->addWidget(toolButton7);
    column->addWidget(toolBar2);

    groupTovar_ = named(new QGroupBox(QStringLiteral("ТОВАРЫ"), page), "GroupTovar");
    auto* goods = new QHBoxLayout(groupTovar_);
    goods->addWidget(button(QStringLiteral("ПРАЙС-ЛИСТ"), "BitBtn14", groupTovar_));
    goods->addWidget(button(QStringLiteral("Продажа товара"), "BitBtn13", groupTovar_));
    goods->addWidget(button(QStringLiteral("Оборотная ведомость"), "BitBtn11", groupTovar_));
    goods->addWidget(button(QStringLiteral("Товары на складе"), "BitBtn10", groupTovar_));
    auto* bitBtn12 = button(QStringLiteral("Статистика продаж"), "BitBtn12", groupTovar_);
    bitBtn12->setEnabled(false);
    goods->addWidget(bitBtn12);
    groupTovar_->hide();
    column->addWidget(groupTovar_);

    connect(dateDATA_, &QDateEdit::dateChanged, this,
            [this](const QDate& date) { terminal_->days().showDay(date); });
    connect(tabControl1_, &QTabBar::currentChanged, this, [this](int index) {
        terminal_->model().categoryTab = index;
        terminal_->buildCatalogue();
    });
    return page;
}

QWidget* TwinMain::buildStatisticsPage() {
    return new StatisticsPage(terminal_->statistics());
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

    auto start = [this, edit6] { terminal_->search().start(edit6->text()); };
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
    for (int i = 0; i < 3; ++i) {
        auto* e = named(new QLineEdit(panel5), names[i]);
        e->setEchoMode(QLineEdit::Password);
        e->setToolTip(i == 0 ? QString() : QStringLiteral("Пароль должен быть не менее 8 знаков"));
        pw->addWidget(label(captions[i], labelNames[i], panel5), i, 0);
        pw->addWidget(e, i, 1);
    }
    button20_ =
        button(QStringLiteral("Заменить"), "Button20", panel5, QStringLiteral("Произвести замену пароля"));
    pw->addWidget(button20_, 3, 1);
    connect(button20_, &QPushButton::clicked, this, [this, panel5] {
        auto text = [panel5](const char* name) {
            return panel5->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
        };
        terminal_->account().changePassword(text("Edit3"), text("Edit4"), text("Edit5"));
    });
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
    connect(&terminal_->link(), &ServerLink::tlsChanged, labelTls, [labelTls](bool on) {
        labelTls->setText(on ? QStringLiteral("Соединение: защищенное (TLS)")
                             : QStringLiteral("Соединение: без шифрования"));
    });
    groupBox2->setMaximumWidth(420);
    column->addWidget(groupBox2);
    column->addStretch();

    connect(button2, &QPushButton::clicked, this, [this] {
        terminal_->model().serverAddressText = comboBox1_->currentText();
        terminal_->model().serverPortText = comboBox2_->currentText();
        terminal_->saveNetworkSettings(comboBox1_->currentText(), comboBox2_->currentText());
    });
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

    auto* n10 = add("N10", QStringLiteral("Квитанция"), QString(), QKeySequence(Qt::Key_F2));
    // A look at the receipt first saves paper, and a jammed one is printed again from here.
    auto* preview = add("ReceiptPreview", QStringLiteral("Просмотр"), QStringLiteral("Просмотр квитанции"));
    connect(n10, &QAction::triggered, this, [this] { terminal_->receipt().print(); });
    connect(preview, &QAction::triggered, this, [this] { terminal_->receipt().preview(); });
    auto* excel1 =
        add("Excel1", QStringLiteral("Сохранить в Excel"), QStringLiteral("Сохранить ведомость в Excel"));
    connect(excel1, &QAction::triggered, this, [this] { terminal_->exportJournal(); });
    separator("N2");
    n7_ = add("N7", QStringLiteral("Провести платеж"), QStringLiteral("Провеести ранее отложенный платеж"),
              QKeySequence(Qt::Key_F5));
    n6_ = add("N6", QStringLiteral("Отменить платеж"), QStringLiteral("Отменить ошибочный платеж"));
    separator("N8");
    n4_ = add("N4", QStringLiteral("Обновить статусы"));
    n3_ =
        add("N3", QStringLiteral("Провести все платежи"), QStringLiteral("Провести все отложенные платежи"));
    add("N12", QStringLiteral("Загрузка данных"))->setEnabled(false);
    // The day shown against the server's own statement of it.
    add("Reconcile", QStringLiteral("Сверка с сервером"),
        QStringLiteral("Сравнить журнал дня с выпиской сервера"));
    separator("N9");
    auto* n11 = add("N11", QStringLiteral("Открыть файл"));
    connect(n11, &QAction::triggered, this, [this] { terminal_->days().openDayFile(); });
    connect(n7_, &QAction::triggered, this, [this] { terminal_->transmission().sendSelected(); });
    connect(n6_, &QAction::triggered, this, [this] { terminal_->cancellation().command(); });
    connect(n3_, &QAction::triggered, this, [this] { terminal_->transmission().sendAll(); });
    connect(n4_, &QAction::triggered, this, [this] { terminal_->transmission().refreshStatuses(); });
    popupMenu1_->setToolTipsVisible(true);

    if (auto* toolButton7 = findChild<QToolButton*>(QStringLiteral("ToolButton7")))
        toolButton7->setMenu(popupMenu1_);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { popupMenu1_->popup(grid_->viewport()->mapToGlobal(pos)); });
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
        if (i % 2 == 0) {
            const QString caption = terminal_->model().status(StatusPanel(i));
            width = std::max(width,
                             panel->fontMetrics().horizontalAdvance(caption) + 2 * panel->frameWidth() + 8);
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

void TwinMain::syncFromModel() {
    const MainWindowModel& m = terminal_->model();
    setWindowTitle(m.caption);
    vers_->setText(m.versionText);
    label2_->setText(m.terminalText);
    label4_->setText(m.addressText);
    label5_->setText(m.userText);
    label20_->setText(m.supportText);
    news_->setText(m.newsCaption);
    for (int i = 0; i < 10; ++i) {
        const QString& text = m.status(StatusPanel(i));
        if (auto* elided = qobject_cast<ElidedLabel*>(statusPanels_[size_t(i)])) {
            elided->setFullText(text);
            elided->setToolTip(text);
        } else {
            statusPanels_[size_t(i)]->setText(text);
        }
    }
    if (!m.workbookPath.isEmpty() && workbook_->toolTip() != QDir::toNativeSeparators(m.workbookPath)) {
        workbook_->setFullText(QStringLiteral("Книга: ") + QFileInfo(m.workbookPath).fileName());
        workbook_->setToolTip(QDir::toNativeSeparators(m.workbookPath));
        workbook_->show();
    }

    cmdOK_->setEnabled(m.registerEnabled);
    toolButton4_->setEnabled(m.depositCheckEnabled);
    button20_->setEnabled(m.passwordChangeEnabled);
    poisk_->setEnabled(m.searchEnabled);
    if (shownSearch_ != m.searchResult) {
        shownSearch_ = m.searchResult;
        memo2_->setPlainText(m.searchResult.join(QLatin1Char('\n')));
    }
    if (shownUnsent_ != m.unsentCount) {
        shownUnsent_ = m.unsentCount;
        unsentPanel_->setText(QStringLiteral("Не отправлено: %1").arg(m.unsentCount));
        unsentPanel_->setStyleSheet(m.unsentCount > 0 ? QStringLiteral("color: #c00000; font-weight: bold;")
                                                      : QStringLiteral("color: #606060;"));
    }

    panel4_->setVisible(m.transmissionPanelVisible);
    platej_->setText(m.transmissionCaption);
    progressBar1_->setMaximum(qMax(1, m.progressMax));
    progressBar1_->setValue(qBound(0, m.progressPos, qMax(1, m.progressMax)));
    grid_->setEnabled(m.journalEnabled);
    n3_->setEnabled(m.sendAllEnabled);
    n4_->setEnabled(m.refreshStatusesEnabled);
    n6_->setEnabled(m.cancelEnabled);
    n7_->setEnabled(m.sendSelectedEnabled);

    if (tabControl1_->currentIndex() != m.categoryTab) {
        const QSignalBlocker block(tabControl1_);
        tabControl1_->setCurrentIndex(m.categoryTab);
    }
    groupTovar_->setVisible(m.goodsGroupVisible);
    // Only buttons whose state changed are touched: the model changes several
    // times a second while the news line runs.
    const bool imagesChanged = shownImages_ != m.operatorIcons;
    shownImages_ = m.operatorIcons;
    for (int i = 0; i < 19; ++i) {
        const OperatorButtonState& s = m.operatorButtons[size_t(i)];
        OperatorButtonState& shown = shownButtons_[size_t(i)];
        QToolButton* b = butons_[size_t(i)];
        if (s.caption != shown.caption)
            b->setText(s.caption);
        if (s.hint != shown.hint)
            b->setToolTip(s.hint);
        if (s.enabled != shown.enabled)
            b->setEnabled(s.enabled);
        if (imagesChanged || s.imageIndex != shown.imageIndex)
            b->setIcon(s.imageIndex >= 0 && s.imageIndex < m.operatorIcons.size()
                           ? QIcon(m.operatorIcons[s.imageIndex])
                           : QIcon());
        if (s.visible != shown.visible)
            b->setVisible(s.visible);
        shown = s;
    }

    if (comboBox1_->currentText() != m.serverAddressText)
        comboBox1_->setCurrentText(m.serverAddressText);
    if (comboBox2_->currentText() != m.serverPortText)
        comboBox2_->setCurrentText(m.serverPortText);
    if (m.shownDate.isValid() && dateDATA_->date() != m.shownDate) {
        const QSignalBlocker block(dateDATA_);
        dateDATA_->setDate(m.shownDate);
    }
}

#pragma once

#include "core/NewsTicker.h"
#include "core/OperatorCatalogue.h"
#include "terminal/StatusLine.h"

#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <array>

class QAction;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabBar;
class QTabWidget;
class QToolButton;
class QWidget;

class ElidedLabel;
class JournalGrid;
class Terminal;
struct JournalRow;

// The main window: header, news line, the four pages, the status bar. It shows
// what the terminal's parts report, each through its own signal, and forwards
// the cashier's actions to them. The buttons that open other windows are
// announced by signals; whoever made the windows connects them.
class TwinMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TwinMain(Terminal& terminal, QWidget* parent = nullptr);
    ~TwinMain() override;

    // The news ticker's 300 ms timer and its tick, public so tests call it
    // instead of waiting.
    QTimer NewsTime;
    void NewsTimeTimer();
    const NewsTicker& newsTicker() const { return ticker_; }

signals:
    void priceListRequested();     // "ПРАЙС-ЛИСТ"
    void turnoverRequested();      // "Оборотная ведомость"
    void stockRequested();         // "Товары на складе"
    void reconciliationRequested(); // "Сверка с сервером"
    void deletionsRequested();      // "Удаленные платежи"
    void shiftRequested();          // "Закрытие смены"

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildHeader(QWidget* central);
    QWidget* buildPaymentsPage();
    QWidget* buildStatisticsPage();
    QWidget* buildSearchPage();
    QWidget* buildSettingsPage();
    void buildPopupMenu();
    void buildStatusBar();
    // Ctrl+Tab, Ctrl+Shift+Tab: the category tabs; Ctrl+PgDn, Ctrl+PgUp: the pages.
    void buildTabKeys();
    void follow();

    // Runs a command of the cashier's inside the exception boundary.
    template <typename F> auto guard(F f);
    // The journal row the grid has selected.
    JournalRow selectedRow() const;
    // "Квитанция" (or its preview) for the row the grid has selected.
    void printReceipt(bool preview);

    void showHeader();
    void showStatus(StatusPanel panel, const QString& text);
    void showWorkbook(const QString& path);
    void showCommands();
    void showTransmission();
    void showUnsent(int count);
    void showSearch();
    void showCatalogue();
    void showNetwork();
    void showDay(const QDate& day);

    Terminal& terminal_;
    NewsTicker ticker_;

    QLabel* news_ = nullptr;
    QLabel* vers_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label20_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QTabWidget* pageControl1_ = nullptr;
    QTabBar* tabControl1_ = nullptr;
    QWidget* winSotka_ = nullptr;
    std::array<QToolButton*, OperatorCatalogue::ButtonCount> butons_{};
    JournalGrid* grid_ = nullptr;
    QPlainTextEdit* memo1_ = nullptr;
    QWidget* panel4_ = nullptr;
    QLabel* platej_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    QToolButton* toolButton4_ = nullptr;
    QToolButton* toolButton7_ = nullptr;
    QDateEdit* dateDATA_ = nullptr;
    QGroupBox* groupTovar_ = nullptr;
    QPushButton* poisk_ = nullptr;
    QPlainTextEdit* memo2_ = nullptr;
    QPushButton* button20_ = nullptr;
    QComboBox* comboBox1_ = nullptr;
    QComboBox* comboBox2_ = nullptr;
    QMenu* popupMenu1_ = nullptr;
    QAction* n3_ = nullptr;
    QAction* n4_ = nullptr;
    QAction* n6_ = nullptr;
    QAction* n7_ = nullptr;
    QAction* reconcile_ = nullptr;
    std::array<QLabel*, StatusLine::PanelCount> statusPanels_{};
    ElidedLabel* workbook_ = nullptr;
    QLabel* unsentPanel_ = nullptr;
    std::array<OperatorButton, OperatorCatalogue::ButtonCount> shownButtons_{};
};

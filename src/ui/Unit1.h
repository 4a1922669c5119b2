#pragma once

#include "core/MainWindowModel.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <memory>

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

class Dialogs;
class ElidedLabel;
class FileDialog;
class JournalGrid;
class SystemClock;
class Terminal;

// The main window: header, news line, the four pages, the status bar. It owns the
// terminal's logic (Terminal) and mirrors its MainWindowModel; its controls only
// forward events to the logic.
class TwinMain : public QMainWindow {
    Q_OBJECT
public:
    TwinMain(const QString& programDir, Dialogs* dialogs, SystemClock* clock, FileDialog* fileDialog,
             QWidget* parent = nullptr);
    ~TwinMain() override;

    Terminal& terminal() { return *terminal_; }

    // Copies what the logic wants shown into the controls.
    void syncFromModel();

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
    void FormCreate();

    std::unique_ptr<Terminal> terminal_;
    Dialogs* dialogs_;

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
    std::array<QToolButton*, 19> butons_{};
    JournalGrid* grid_ = nullptr;
    QPlainTextEdit* memo1_ = nullptr;
    QWidget* panel4_ = nullptr;
    QLabel* platej_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    QToolButton* toolButton4_ = nullptr;
    QDateEdit* dateDATA_ = nullptr;
    QGroupBox* groupTovar_ = nullptr;
    QPushButton* poisk_ = nullptr;
    QPlainTextEdit* memo2_ = nullptr;
    QStringList shownSearch_;
    QPushButton* button20_ = nullptr;
    QComboBox* comboBox1_ = nullptr;
    QComboBox* comboBox2_ = nullptr;
    QMenu* popupMenu1_ = nullptr;
    QAction* n3_ = nullptr;
    QAction* n4_ = nullptr;
    QAction* n6_ = nullptr;
    QAction* n7_ = nullptr;
    std::array<QLabel*, 10> statusPanels_{};
    ElidedLabel* workbook_ = nullptr;
    QLabel* unsentPanel_ = nullptr;
    int shownUnsent_ = -1;
    std::array<OperatorButtonState, 19> shownButtons_{};
    QStringList shownImages_;
};

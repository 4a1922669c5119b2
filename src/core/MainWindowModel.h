#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

// One operator button of the category toolbar as the last catalogue build left it.
struct OperatorButtonState {
    bool visible = false;
    bool enabled = true;
    QString caption;
    QString hint;
    int imageIndex = -1;
};

// What the main window shows, kept by the logic. The logic changes fields and
// calls notify(); the window mirrors them. Tests read them directly.
class MainWindowModel : public QObject {
    Q_OBJECT
public:
    static constexpr int StatusPanelCount = 10;
    static constexpr int OperatorButtonCount = 19;

    MainWindowModel();

    QString caption;
    // header
    QString vers;
    QString label2 = QStringLiteral("---"); // terminal number
    QString label4 = QStringLiteral("---"); // address
    QString label5 = QStringLiteral("---"); // user
    QString label20 = QStringLiteral("---"); // support telephone
    // news line
    QString news;
    // status bar
    std::array<QString, StatusPanelCount> statusPanel;

    bool cmdOKEnabled = true;
    bool toolButton4Enabled = true;
    bool button20Enabled = true;
    bool poiskEnabled = true;
    bool bitBtn3Enabled = true; // statistics "Обновить"

    // transmission panel and the journal commands
    bool panel4Visible = false;
    QString platejCaption = QStringLiteral("ПЕРЕДАЁМ ПЛАТЕЖИ.....");
    int progressMax = 100;
    int progressPos = 0;
    bool gridEnabled = true;
    bool n3Enabled = true;
    bool n4Enabled = true;
    bool n6Enabled = true;
    bool n7Enabled = true;

    // operator catalogue
    int categoryTab = 0;
    bool groupTovarVisible = false;
    std::array<OperatorButtonState, OperatorButtonCount> buttons;
    QStringList imageOper; // icon files, by image index

    // network settings page
    QString comboBox1Text;
    QString comboBox2Text;

    // the journal's date picker
    QDate dateData;

    void notify() { emit changed(); }

signals:
    void changed();
};

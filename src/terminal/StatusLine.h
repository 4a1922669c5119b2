#pragma once

#include <QObject>
#include <QString>

#include <array>

// The status bar's ten panels, left to right. The even ones carry fixed captions
// of the window's own; the odd ones what the terminal reports.
enum class StatusPanel {
    StateCaption = 0,
    State = 1, // connection and transfer state
    DepositCaption = 2,
    Deposit = 3,
    LimitCaption = 4,
    Limit = 5,
    TerminalCaption = 6,
    Terminal = 7,
    ServerCaption = 8,
    Server = 9 // address:port once connected
};

// What the status bar's reporting panels say, as the terminal's subsystems tell it.
class StatusLine : public QObject {
    Q_OBJECT
public:
    static constexpr int PanelCount = 10;

    explicit StatusLine(QObject* parent = nullptr);

    const QString& text(StatusPanel panel) const { return texts_[size_t(panel)]; }
    void set(StatusPanel panel, const QString& text);

signals:
    void changed(StatusPanel panel, const QString& text);

private:
    std::array<QString, PanelCount> texts_;
};

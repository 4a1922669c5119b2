#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace sim {

// One commission tier of an operator as written into setting.ini.
struct DemoTier {
    QString max;
    QString komis;
    QString typkomis; // "0" percent, "1" fixed sum
    QString text;
};

// One payee of the demo catalogue. An empty optional text means the key is left out
// of the file, so the terminal falls back to its default.
struct DemoOperator {
    QString article;
    QString section; // category section of setting.ini, e.g. "winSotka"
    QString name;
    QString status;
    QString format;
    QString prefix;
    QString digits;       // kolznak
    QString minSum;       // an integer, so that it reads the same under any decimal separator
    QString checkBalance; // optional
    QString kurs;         // optional
    QString corect;       // optional
    QList<DemoTier> tiers;
};

// A button of a category section: "b" + number + "art" and "b" + number + "oplata".
struct DemoButton {
    QString section;
    int number = 0;
    QString article;
    QString oplata;
};

// An item of the warehouse: price list and stock.
struct DemoGoods {
    QString article;
    QString invoice;
    QString name;
    QString price; // as written in the price list, "." or ","
    qint64 priceCents = 0;
    int opening = 0;  // quantity at the start of the month
    int incoming = 0; // delivered this month
    int sold = 0;     // sold this month before the simulator started
};

// The invented payees, tariffs, goods and news that the simulator serves.
class DemoData {
public:
    static const QList<DemoOperator>& operators();
    static const DemoOperator* findOperator(const QString& article);
    // What a payment of that article was for: an operator's or an item's name.
    static QString payeeName(const QString& article);
    static const QList<DemoButton>& buttons();
    static const QStringList& sections();
    static const QList<DemoGoods>& goods();
    static const QStringList& news();

    static QString catalogueStamp();
    // The terminal rewrites its ip.ini from setting.ini, so the stamp follows the
    // address and port: a simulator moved to another port sends its settings again.
    static QString settingsStamp(const QString& address, quint16 port);
    static QString operatorIni();
    static QString settingIni(const QString& login, const QString& address, quint16 port);
    // Lines joined with CR LF, the line end of every file the terminal keeps.
    static QString joinLines(const QStringList& lines);
};

} // namespace sim

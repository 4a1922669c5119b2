#include "sim/DemoData.h"

namespace sim {
namespace {

const QString kCatalogueStamp = QStringLiteral("2026-12-01-1");
const QString kSettingsVersion = QStringLiteral("2026-12-01-1");

QList<DemoOperator> makeOperators() {
    // Mask cells = prefix + digits, so a complete number fills the mask exactly. An empty
    // CheckBalance, kurs or corect leaves the key out of operator.ini.
    // clang-format off
    QList<DemoOperator> ops = {
        // article section        name                          status format                 tel    kolznak MinSum CheckBalance kurs    corect
        {"1101", "winSotka",    "Орбита Мобайл",              "1",   "XX=XXX-XX-XX",        "90",  "7",    "1",   "1",         "",      "0", {}},
        {"1102", "winSotka",    "Звезда GSM",                 "1",   "XX=XXX-XX-XX",        "91",  "7",    "1",   "1",         "",      "1", {}},
        {"1103", "winSotka",    "Волна Телеком",              "0",   "XX=XXX-XX-XX",        "92",  "7",    "1",   "0",         "",      "2", {}},
        {"1104", "winSotka",    "Кристалл Мобайл",            "2",   "XX=XXX-XX-XX",        "98",  "7",    "2",   "0",         "",      "",  {}},
        {"1201", "winInternet", "Сеть Плюс",                  "1",   "XXXXXXXXXX",          "",    "10",   "5",   "0",         "10.95", "0", {}},
        {"1202", "winInternet", "Эфир IP-телефония",          "999", "XXXXXXXX",            "",    "8",    "1",   "0",         "",      "0", {}},
        {"1301", "winTelefon",  "Городская телефонная сеть",  "1",   "XXX-XXX-XXX",         "300", "6",    "1",   "0",         "",      "1", {}},
        {"1302", "winTelefon",  "Связь Восток",               "1",   "XX=XXX-XX-XX",        "",    "9",    "1",   "0",         "",      "0", {}},
        {"1401", "winKomunal",  "Чистая вода",                "1",   "XXXXXX",              "",    "6",    "1",   "0",         "",      "1", {}},
        {"1402", "winKomunal",  "Тёплый дом",                 "1",   "XXXXXXX",             "",    "7",    "1",   "0",         "",      "0", {}},
        {"1403", "winKomunal",  "Светлый край",               "1",   "XXXXXXXXXX",          "",    "10",   "5",   "0",         "",      "2", {}},
        {"1501", "winNalog",    "Налоги и сборы",             "1",   "XXXXXXXXX",           "",    "9",    "10",  "0",         "",      "2", {}},
        {"1601", "winBank",     "Банк Рассвет: кредиты",      "1",   "XXXX-XXXX-XXXX-XXXX", "",    "16",   "10",  "1",         "10,95", "0", {}},
        {"1602", "winBank",     "Микрофинанс Ясный",          "1",   "XXXXXXXXXXXX",        "",    "12",   "10",  "0",         "",      "1", {}},
        {"1701", "winTovar",    "Заказ товаров со склада",    "1",   "XXXXXX",              "",    "6",    "1",   "0",         "",      "2", {}},
    };
    // Commission tiers of setting.ini; 1104 and 1701 take no commission.
    const QList<QPair<QString, DemoTier>> tiers = {
        // article  max      komis  typkomis  text
        {"1101", {"100",    "2",   "0", "До 100 сомони: 2%"}},
        {"1101", {"1000",   "1,5", "1", "От 100 до 1000 сомони: 1,5 сомони"}},
        {"1101", {"10000",  "0.5", "0", "От 1000 до 10000 сомони: 0,5%"}},
        {"1102", {"5000",   "1.0", "0", "Комиссия 1% от суммы"}},
        {"1103", {"5000",   "3",   "0", "Комиссия 3% от суммы"}},
        {"1201", {"500",    "2,5", "0", "До 500 сомони: 2,5%"}},
        {"1201", {"5000",   "10",  "1", "Свыше 500 сомони: 10 сомони"}},
        {"1202", {"1000",   "1",   "0", "Комиссия 1% от суммы"}},
        {"1301", {"1000",   "1",   "1", "Фиксированная комиссия 1 сомони"}},
        {"1302", {"300",    "1.5", "0", "До 300 сомони: 1,5%"}},
        {"1302", {"3000",   "3",   "1", "Свыше 300 сомони: 3 сомони"}},
        {"1401", {"2000",   "0,5", "0", "Комиссия 0,5% от суммы"}},
        {"1402", {"2000",   "1",   "0", "Комиссия 1% от суммы"}},
        {"1403", {"200",    "2",   "1", "До 200 сомони: 2 сомони"}},
        {"1403", {"1000",   "1",   "0", "От 200 до 1000 сомони: 1%"}},
        {"1403", {"10000",  "0.8", "0", "От 1000 до 10000 сомони: 0,8%"}},
        {"1501", {"100000", "5",   "1", "Сбор 5 сомони за платёж"}},
        {"1601", {"20000",  "0.7", "0", "Комиссия 0,7% от суммы"}},
        {"1602", {"1000",   "2",   "1", "До 1000 сомони: 2 сомони"}},
        {"1602", {"20000",  "0,3", "0", "Свыше 1000 сомони: 0,3%"}},
    };
    // clang-format on
    for (DemoOperator& op : ops) {
        for (const auto& tier : tiers) {
            if (tier.first == op.article)
                op.tiers << tier.second;
        }
    }
    return ops;
}

QList<DemoButton> makeButtons() {
    // clang-format off
    return {
        {"winSotka", 1, "1101", "1"}, {"winSotka", 2, "1102", "1"}, {"winSotka", 3, "1103", "1"}, {"winSotka", 4, "1104", "1"},
        {"winInternet", 1, "1201", "1"}, {"winInternet", 2, "1202", "1"},
        // Buttons 1 and 2 stay hidden: the first shown button of the tab is number 3.
        {"winTelefon", 1, "1302", "0"}, {"winTelefon", 2, "1301", "0"}, {"winTelefon", 3, "1301", "1"}, {"winTelefon", 4, "1302", "2"},
        {"winKomunal", 1, "1401", "1"}, {"winKomunal", 2, "1402", "1"}, {"winKomunal", 3, "1403", "1"},
        {"winNalog", 1, "1501", "1"},
        {"winBank", 1, "1601", "1"}, {"winBank", 19, "1602", "1"},
        {"winTovar", 1, "1701", "1"},
    };
    // clang-format on
}

QList<DemoGoods> makeGoods() {
    // clang-format off
    return {
        // article invoice   name                                   price    cents opening incoming sold
        {"4001", "Н-0101", "Бумага для чеков 57 мм",              "12.50", 1250, 40, 60,  35},
        {"4002", "Н-0101", "Бумага для чеков 80 мм",              "18.00", 1800, 20, 20,  12},
        {"4003", "Н-0102", "Стартовый пакет «Орбита Мобайл»",     "10.00", 1000, 50, 100, 64},
        {"4004", "Н-0102", "Стартовый пакет «Звезда GSM»",        "10.00", 1000, 50, 50,  41},
        {"4005", "Н-0103", "Карта оплаты «Орбита», 20 сомони",    "20.00", 2000, 30, 0,   18},
        {"4006", "Н-0103", "Карта оплаты «Звезда», 50 сомони",    "50.00", 5000, 10, 0,   10},
        {"4007", "Н-0104", "Зарядное устройство USB",             "45.00", 4500, 8,  12,  7},
        {"4008", "Н-0104", "Кабель USB-C, 1 м",                   "25,00", 2500, 15, 10,  9},
        {"4009", "Н-0105", "Наушники проводные",                  "60.00", 6000, 6,  6,   3},
        {"4010", "Н-0105", "Чехол для телефона",                  "35.00", 3500, 12, 0,   5},
    };
    // clang-format on
}

void addKey(QStringList& lines, const QString& key, const QString& value) {
    lines << key + QLatin1Char('=') + value;
}

} // namespace

const QList<DemoOperator>& DemoData::operators() {
    static const QList<DemoOperator> list = makeOperators();
    return list;
}

const DemoOperator* DemoData::findOperator(const QString& article) {
    for (const DemoOperator& op : operators()) {
        if (op.article == article)
            return &op;
    }
    return nullptr;
}

QString DemoData::payeeName(const QString& article) {
    if (const DemoOperator* op = findOperator(article))
        return op->name;
    for (const DemoGoods& item : goods()) {
        if (item.article == article)
            return item.name;
    }
    return QStringLiteral("Артикул ") + article;
}

const QList<DemoButton>& DemoData::buttons() {
    static const QList<DemoButton> list = makeButtons();
    return list;
}

const QStringList& DemoData::sections() {
    static const QStringList list = {"winSotka", "winInternet", "winTelefon", "winKomunal",
                                     "winNalog", "winBank",     "winTovar"};
    return list;
}

const QList<DemoGoods>& DemoData::goods() {
    static const QList<DemoGoods> list = makeGoods();
    return list;
}

const QStringList& DemoData::news() {
    static const QStringList list = {
        "Добро пожаловать в учебный режим Орванта! Платежи здесь не настоящие.",
        "Обновлён каталог операторов: коммунальные услуги доступны на вкладке «Комунальные услуги».",
        "Профилактика сервера в воскресенье с 02:00 до 03:00.",
        "Напоминание: проверяйте номер абонента перед оплатой.",
    };
    return list;
}

QString DemoData::catalogueStamp() {
    return kCatalogueStamp;
}

QString DemoData::settingsStamp(const QString& address, quint16 port) {
    return kSettingsVersion + QLatin1Char('@') + address + QLatin1Char(':') + QString::number(port);
}

QString DemoData::joinLines(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n"));
}

QString DemoData::operatorIni() {
    QStringList lines;
    lines << "[options]";
    addKey(lines, "create", kCatalogueStamp);
    for (const DemoOperator& op : operators()) {
        lines << QString() << "[" + op.article + "]";
        addKey(lines, "name", op.name);
        addKey(lines, "status", op.status);
        addKey(lines, "Format", op.format);
        addKey(lines, "tel", op.prefix);
        addKey(lines, "kolznak", op.digits);
        addKey(lines, "MinSum", op.minSum);
        if (!op.checkBalance.isEmpty())
            addKey(lines, "CheckBalance", op.checkBalance);
        if (!op.kurs.isEmpty())
            addKey(lines, "kurs", op.kurs);
        if (!op.corect.isEmpty())
            addKey(lines, "corect", op.corect);
    }
    return joinLines(lines);
}

QString DemoData::settingIni(const QString& login, const QString& address, quint16 port) {
    QStringList lines;
    lines << "[options]";
    addKey(lines, "telsparv", "+992 00 000-00-00");
    addKey(lines, "user", "Учебный пункт оплаты № " + login);
    addKey(lines, "adres", "ул. Учебная, 1, учебный класс");
    addKey(lines, "inn", QStringLiteral("0200%1").arg(login.left(5), 5, QLatin1Char('0')));
    addKey(lines, "create", settingsStamp(address, port));
    addKey(lines, "ip", address);
    addKey(lines, "IpPort", QString::number(port));
    for (const QString& section : sections()) {
        lines << QString() << "[" + section + "]";
        for (const DemoButton& button : buttons()) {
            if (button.section != section)
                continue;
            addKey(lines, QStringLiteral("b%1art").arg(button.number), button.article);
            addKey(lines, QStringLiteral("b%1oplata").arg(button.number), button.oplata);
        }
    }
    for (const DemoOperator& op : operators()) {
        if (op.tiers.isEmpty())
            continue; // no commission: every tier key falls back to "0"
        lines << QString() << "[" + op.article + "]";
        for (int k = 0; k < op.tiers.size(); ++k) {
            const QString n = QString::number(k + 1);
            addKey(lines, "max" + n, op.tiers[k].max);
            addKey(lines, "komis" + n, op.tiers[k].komis);
            addKey(lines, "typkomis" + n, op.tiers[k].typkomis);
            addKey(lines, "text" + n, op.tiers[k].text);
        }
    }
    return joinLines(lines);
}

} // namespace sim

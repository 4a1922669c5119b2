#include "sim/DemoData.h"
#include "sim/Cp1251.h"

#include <QMap>
#include <QSet>

#include <gtest/gtest.h>

namespace {

using Ini = QMap<QString, QMap<QString, QString>>;

// Reads the ini text the way the terminal does: sections, key=value split at the first "=".
Ini parseIni(const QString& text) {
    Ini ini;
    QString section;
    for (const QString& raw : text.split("\r\n")) {
        const QString line = raw.trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            section = line.mid(1, line.size() - 2);
            ini[section];
        } else if (line.contains('=')) {
            ini[section][line.section('=', 0, 0).trimmed()] = line.section('=', 1).trimmed();
        }
    }
    return ini;
}

const QString kAddress = "127.0.0.1";
const quint16 kPort = 5123;

} // namespace

TEST(simDemoData, OperatorsSitOnTheAgreedArticlesAndCategories) {
    const QMap<QString, QString> expected = {
        {"1101", "winSotka"},    {"1102", "winSotka"},    {"1103", "winSotka"},   {"1104", "winSotka"},
        {"1201", "winInternet"}, {"1202", "winInternet"}, {"1301", "winTelefon"}, {"1302", "winTelefon"},
        {"1401", "winKomunal"},  {"1402", "winKomunal"},  {"1403", "winKomunal"}, {"1501", "winNalog"},
        {"1601", "winBank"},     {"1602", "winBank"},     {"1701", "winTovar"},
    };
    const Ini operators = parseIni(sim::DemoData::operatorIni());
    const Ini settings = parseIni(sim::DemoData::settingIni("101", kAddress, kPort));

    QMap<QString, QString> placed; // article -> section of the buttons it is on
    for (const QString& section : sim::DemoData::sections()) {
        for (int n = 1; n <= 19; ++n) {
            const QString article = settings[section].value(QString("b%1art").arg(n));
            if (!article.isEmpty())
                placed[article] = section;
        }
    }
    EXPECT_EQ(placed, expected);
    for (const QString& article : expected.keys()) {
        ASSERT_TRUE(operators.contains(article)) << article.toStdString();
        EXPECT_FALSE(operators[article].value("name").isEmpty()) << article.toStdString();
    }
    EXPECT_EQ(operators.size(), expected.size() + 1); // and [options]
}

TEST(simDemoData, CatalogueCoversEveryKindOfEntryRule) {
    const Ini ini = parseIni(sim::DemoData::operatorIni());
    EXPECT_EQ(ini["options"].value("create"), sim::DemoData::catalogueStamp());
    QSet<QString> statuses, corrections, masks;
    int withoutCorrectionKey = 0, withRate = 0, withBalance = 0;
    for (auto it = ini.begin(); it != ini.end(); ++it) {
        if (it.key() == "options")
            continue;
        const auto& op = it.value();
        statuses << op.value("status");
        masks << op.value("Format");
        if (op.contains("corect"))
            corrections << op.value("corect");
        else
            ++withoutCorrectionKey;
        withRate += op.contains("kurs") ? 1 : 0;
        withBalance += op.value("CheckBalance", "0") != "0" ? 1 : 0;
        // A complete number fills the mask: prefix plus typed digits = the mask's cells.
        EXPECT_EQ(op.value("Format").count('X'), op.value("tel").size() + op.value("kolznak").toInt())
            << it.key().toStdString();
        bool integer = false;
        op.value("MinSum").toInt(&integer);
        EXPECT_TRUE(integer) << "MinSum must read the same under any decimal separator";
    }
    EXPECT_TRUE(statuses.contains("0"));
    EXPECT_TRUE(statuses.contains("999"));
    EXPECT_TRUE(statuses.contains("1"));
    EXPECT_EQ(corrections, (QSet<QString>{"0", "1", "2"}));
    EXPECT_GE(withoutCorrectionKey, 1);
    EXPECT_GE(withRate, 1);
    EXPECT_GE(withBalance, 1);
    EXPECT_TRUE(masks.contains("XX=XXX-XX-XX"));
    EXPECT_TRUE(masks.contains("XXXXXXXXXX"));
    EXPECT_TRUE(masks.contains("XXX-XXX-XXX"));
}

TEST(simDemoData, SettingsCarryTheAgentTheServerAndEveryTierKind) {
    const Ini ini = parseIni(sim::DemoData::settingIni("101", kAddress, kPort));
    for (const char* key : {"telsparv", "user", "adres", "inn", "create"})
        EXPECT_FALSE(ini["options"].value(key).isEmpty()) << key;
    EXPECT_EQ(ini["options"].value("ip"), kAddress);
    EXPECT_EQ(ini["options"].value("IpPort"), QString::number(kPort));
    EXPECT_EQ(ini["options"].value("create"), sim::DemoData::settingsStamp(kAddress, kPort));
    EXPECT_NE(sim::DemoData::settingsStamp(kAddress, kPort),
              sim::DemoData::settingsStamp(kAddress, kPort + 1));

    // A gap: the first two telephone buttons are hidden and the third is shown.
    EXPECT_EQ(ini["winTelefon"].value("b1oplata"), "0");
    EXPECT_EQ(ini["winTelefon"].value("b2oplata"), "0");
    EXPECT_NE(ini["winTelefon"].value("b3oplata", "0"), "0");

    QSet<QString> kinds;
    bool commaRate = false, pointRate = false;
    for (const sim::DemoOperator& op : sim::DemoData::operators()) {
        const auto& tariff = ini.value(op.article);
        for (int k = 1; k <= 3; ++k) {
            const QString n = QString::number(k);
            if (!tariff.contains("komis" + n))
                continue;
            kinds << tariff.value("typkomis" + n);
            commaRate |= tariff.value("komis" + n).contains(',');
            pointRate |= tariff.value("komis" + n).contains('.');
            EXPECT_GT(tariff.value("text" + n).size(), 3) << op.article.toStdString();
            bool integer = false;
            tariff.value("max" + n).toInt(&integer);
            EXPECT_TRUE(integer) << op.article.toStdString();
        }
    }
    EXPECT_EQ(kinds, (QSet<QString>{"0", "1"}));
    EXPECT_TRUE(commaRate);
    EXPECT_TRUE(pointRate);
    EXPECT_FALSE(ini.contains("1104")) << "an operator without commission has no tariff section";
}

TEST(simDemoData, AllTextFitsTheCodePageAndUsesCrLf) {
    QStringList texts = {sim::DemoData::operatorIni(), sim::DemoData::settingIni("101", kAddress, kPort)};
    texts << sim::DemoData::news();
    for (const sim::DemoGoods& item : sim::DemoData::goods()) {
        texts << item.name;
        EXPECT_GE(item.article.size(), 4) << "the terminal picks only articles of 4 characters or more";
    }
    for (const QString& text : texts) {
        EXPECT_TRUE(sim::Cp1251::canEncode(text)) << text.left(60).toStdString();
        EXPECT_EQ(text.count('\n'), text.count("\r\n")) << "bare LF in " << text.left(60).toStdString();
    }
}

#include "SimFixture.h"

#include "sim/Money.h"

namespace {

// Splits a file reply into its name and content lines.
struct FileReply {
    QString name;
    QStringList lines;
    QString content;
};

FileReply parseFile(const QString& message) {
    EXPECT_TRUE(message.startsWith('f')) << message.left(80).toStdString();
    const qsizetype slash = message.indexOf('/');
    FileReply file;
    file.name = message.mid(1, slash - 1);
    file.content = message.mid(slash + 1);
    file.lines = contentLines(file.content);
    return file;
}

} // namespace

class simReports : public SimFixture {
protected:
    FileReply request(const QString& body) {
        client->send({body});
        return parseFile(client->take());
    }
    void SetUp() override {
        SimFixture::SetUp();
        client = loggedIn();
    }
    std::unique_ptr<WireClient> client;
};

TEST_F(simReports, FileRepliesAreNamedAsTheLoadersLookForThem) {
    const struct {
        const char* request;
        const char* name;
    } cases[] = {
        {"J6101#26", "6101#26"},
        {"J8101#6#26", "8101#6#26"},
        {"J9101#6#15#26", "9101#6#15"},
        {"J9101#06#01#26", "9101#06#01"},
        {"Fp101", "p101"},
        {"Fs101", "s101"},
        {"Fv101", "v101"},
        {"J8101#13#26", "8101#13#26"},
        {"J9101#6#-#26", "9101#6#-"},
    };
    for (const auto& c : cases) {
        const FileReply file = request(c.request);
        EXPECT_EQ(file.name, c.name) << c.request;
        EXPECT_FALSE(file.content.isEmpty()) << c.request;
        EXPECT_EQ(file.content.count('\n'), file.content.count("\r\n")) << "bare LF in " << c.request;
        EXPECT_FALSE(file.content.endsWith("\r\n")) << "a trailing line end would add an empty last line";
    }
}

TEST_F(simReports, YearStatisticsFollowThePaymentsOfEachMonth) {
    const FileReply before = request("J6101#26");
    ASSERT_EQ(before.lines.size(), 13);
    for (int month = 1; month <= 12; ++month) {
        const QStringList f = fields(before.lines[month]);
        ASSERT_EQ(f.size(), 3) << before.lines[month].toStdString();
        cents(f[0]);
        cents(f[1]);
        bool integer = false;
        f[2].toInt(&integer);
        EXPECT_TRUE(integer);
        if (month > 6) {
            EXPECT_EQ(before.lines[month], "0.00#0.00#0#") << "month " << month << " has not come yet";
        } else {
            EXPECT_GT(cents(f[0]), 0) << "month " << month;
        }
    }

    client->send({payment("101_260615103001", "150.00")});
    EXPECT_EQ(client->take(), "o101_260615103001");
    const FileReply after = request("J6101#26");
    EXPECT_EQ(cents(fields(after.lines[6])[0]), cents(fields(before.lines[6])[0]) + 15000);
    EXPECT_EQ(fields(after.lines[6])[2].toInt(), fields(before.lines[6])[2].toInt() + 1);
    EXPECT_EQ(after.lines[5], before.lines[5]);

    // The year request comes with a deposit request in the same write.
    client->send({"J6101#25", "B101"});
    EXPECT_TRUE(client->take().startsWith("f6101#25/"));
    EXPECT_EQ(client->take(), "Bb14850.00#l5000.00#");
}

TEST_F(simReports, MonthStatementAddsUpAndAgreesWithTheYear) {
    client->send({payment("101_260615103001", "150.00")});
    EXPECT_EQ(client->take(), "o101_260615103001");
    // The current month up to today, the 15th: the days to come are not listed.
    const FileReply month = request("J8101#6#26");
    ASSERT_EQ(month.lines.size(), 1 + 15 + 1);
    const QStringList opening = fields(month.lines.first());
    ASSERT_EQ(opening.size(), 2);
    qint64 balance = cents(opening[1]);
    qint64 income = 0, expense = 0;
    for (int day = 1; day <= 15; ++day) {
        const QStringList f = fields(month.lines[day]);
        ASSERT_EQ(f.size(), 4) << month.lines[day].toStdString();
        EXPECT_EQ(f[0], QDate(2026, 6, day).toString("dd.MM.yy"));
        balance += cents(f[1]) - cents(f[2]);
        EXPECT_EQ(cents(f[3]), balance) << "day " << day;
        income += cents(f[1]);
        expense += cents(f[2]);
    }
    const QStringList totals = fields(month.lines.last());
    ASSERT_EQ(totals.size(), 4);
    EXPECT_EQ(cents(totals[1]), income);
    EXPECT_EQ(cents(totals[2]), expense);
    EXPECT_EQ(cents(totals[3]), balance);
    EXPECT_GT(income, 0) << "Mondays bring pay-ins";

    const FileReply year = request("J6101#26");
    EXPECT_EQ(cents(fields(year.lines[6])[0]), expense);

    // The next month opens where this one closed, and lists no day yet.
    const FileReply july = request("J8101#7#26");
    EXPECT_EQ(cents(fields(july.lines.first())[1]), balance);
    EXPECT_EQ(july.lines.size(), 2);
    // A month gone by lists every day.
    EXPECT_EQ(request("J8101#5#26").lines.size(), 1 + 31 + 1);
}

TEST_F(simReports, DayStatementRunsFromTheOpeningBalance) {
    client->send({payment("101_260615103001", "150.00", "905551234")});
    EXPECT_EQ(client->take(), "o101_260615103001");
    const FileReply month = request("J8101#6#26");
    for (int day : {1, 14, 15}) {
        const FileReply file = request(QString("J9101#6#%1#26").arg(day));
        ASSERT_GE(file.lines.size(), 2) << "day " << day;
        EXPECT_FALSE(file.lines.first().contains('#'));
        const qint64 opening =
            day == 1 ? cents(fields(month.lines.first())[1]) : cents(fields(month.lines[day - 1])[3]);
        EXPECT_TRUE(file.lines.first().contains(sim::Money::format(opening)))
            << file.lines.first().toStdString();
        qint64 balance = opening;
        for (int i = 1; i < file.lines.size(); ++i) {
            const QStringList f = fields(file.lines[i]);
            ASSERT_EQ(f.size(), 8) << file.lines[i].toStdString();
            EXPECT_EQ(f[1], QDate(2026, 6, day).toString("dd.MM.yy"));
            EXPECT_FALSE(f[6].contains('*'));
            balance += cents(f[4]) - cents(f[3]);
            EXPECT_EQ(cents(f[5]), balance) << file.lines[i].toStdString();
        }
        EXPECT_EQ(balance, cents(fields(month.lines[day])[3]))
            << "day " << day << " closes as the month says";
        if (day == 15) {
            EXPECT_TRUE(file.content.contains("10:30#15.06.26#905551234#150.00#0.00#"));
            EXPECT_TRUE(file.content.contains("#101_260615103001#Орбита Мобайл#"));
        }
    }
}

TEST_F(simReports, TheDayStatementCarriesEveryKindOfRowItReceived) {
    // A payment, its cancellation, a correction and a goods sale, as the terminal sends them.
    client->send({payment("101_260615103001", "150.00", "905551234")});
    EXPECT_EQ(client->take(), "o101_260615103001");
    client->send({payment("101_260615103002", "-150.00", "905551234")});
    EXPECT_EQ(client->take(), "o101_260615103002");
    client->send({payment("101_260615103003", "-150.00", "905551234+905554321")});
    EXPECT_EQ(client->take(), "o101_260615103003");
    client->send({payment("101_260615103004", "25.00", "&4001&Н-0101&1&", "T", "4001")});
    EXPECT_EQ(client->take(), "o101_260615103004");
    const FileReply day = request("J9101#6#15#26");
    QStringList transactions;
    for (int i = 1; i < day.lines.size(); ++i)
        transactions << fields(day.lines[i]).value(6);
    for (const char* id : {"101_260615103001", "101_260615103002", "101_260615103003", "101_260615103004"})
        EXPECT_TRUE(transactions.contains(QString::fromLatin1(id))) << id;
}

TEST_F(simReports, StatementsOfImpossibleDatesAreEmptyButWellFormed) {
    const FileReply month = request("J8101#13#26");
    EXPECT_EQ(month.lines, (QStringList{"Остаток на начало месяца#0.00#", "ИТОГО#0.00#0.00#0.00#"}));
    const FileReply day = request("J9101#6#-#26");
    EXPECT_EQ(day.lines.size(), 1);
    const FileReply year = request("J6101#2");
    EXPECT_EQ(year.lines.size(), 13);
    EXPECT_EQ(year.lines[1], "0.00#0.00#0#");
}

TEST_F(simReports, PriceListStockAndTurnoverDescribeTheSameGoods) {
    const FileReply prices = request("Fp101");
    ASSERT_GE(prices.lines.size(), 2);
    EXPECT_EQ(fields(prices.lines.first()).size(), 1) << "the update stamp";
    QMap<QString, qint64> priceOf;
    for (int i = 1; i < prices.lines.size(); ++i) {
        const QStringList f = fields(prices.lines[i]);
        ASSERT_EQ(f.size(), 3) << prices.lines[i].toStdString();
        EXPECT_GE(f[0].size(), 4);
        priceOf[f[0]] = cents(f[2]);
    }

    const auto stockOf = [&](const QString& article) {
        const FileReply stock = request("Fs101");
        for (int i = 1; i < stock.lines.size(); ++i) {
            const QStringList f = fields(stock.lines[i]);
            EXPECT_EQ(f.size(), 5) << stock.lines[i].toStdString();
            EXPECT_TRUE(priceOf.contains(f[0]));
            EXPECT_EQ(cents(f[4]), f[3].toInt() * priceOf.value(f[0])) << "amount = quantity x price";
            if (f[0] == article)
                return f[3].toInt();
        }
        ADD_FAILURE() << "no stock line for " << article.toStdString();
        return -1;
    };
    const int before = stockOf("4003");
    ASSERT_GT(before, 2);

    // A sale carries the questionnaire in the account; its fourth field is the quantity.
    const QString record = "&4003&Н-0102&2&&Иванов&Иван&Иванович&АБ&1234567&ОВД&Страна&Город&Область&"
                           "Улица 1&Стартовый пакет&10.00&15.06.2026&15.06.2026&";
    client->send({payment("101_260615103009", "20.00", record, "T", "4003")});
    EXPECT_EQ(client->take(), "o101_260615103009");
    EXPECT_EQ(stockOf("4003"), before - 2);

    const FileReply turnover = request("Fv101");
    EXPECT_TRUE(turnover.lines.first().contains("ОБОРОТНАЯ ВЕДОМОСТЬ"));
    bool listed = false;
    for (const QString& line : turnover.lines) {
        if (line.startsWith("4003 ")) {
            listed = true;
            EXPECT_TRUE(line.endsWith(QString::number(before - 2).rightJustified(8))) << line.toStdString();
        }
    }
    EXPECT_TRUE(listed);
}

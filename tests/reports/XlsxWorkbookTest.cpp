#include "core/Environment.h"
#include "platform/AppError.h"
#include "platform/XlsxSpreadsheetWriter.h"
#include "reports/SpreadsheetExport.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/FakePrinter.h"
#include "payments/PaymentJournal.h"
#include "terminal/Terminal.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace {

TEST(SpreadsheetNumbers, FiguresAsTheProgramAndTheServerWriteThemAreNumbers) {
    struct Case {
        const char* text;
        bool number;
        double value;
        int decimals;
    };
    const Case cases[] = {
        {"98,00", true, 98.0, 2},
        {"98.00", true, 98.0, 2},
        {"-5.50", true, -5.5, 2},
        {"0,75", true, 0.75, 2},
        {"98", true, 98.0, 0}, // whole sums and counts
        {"0", true, 0.0, 0},
        {"98,5", true, 98.5, 1},
        {"2,5000", true, 2.5, 4}, // a goods figure
        {"1234567890123.45", true, 1234567890123.45, 2},
        {"12345678901234.00", false, 0, 0}, // more digits than a spreadsheet holds exactly
        {"1,23456", false, 0, 0},
        {"1.234,56", false, 0, 0},
        {"09.12.26", false, 0, 0}, // a date
        {"", false, 0, 0},
        {"-", false, 0, 0},
        {",50", false, 0, 0},
        {"98,", false, 0, 0},
        {" 98,00", false, 0, 0},
        {"98,00 ", false, 0, 0},
        {"+98,00", false, 0, 0},
        {"9е,00", false, 0, 0},
        {"1e5", false, 0, 0},
    };
    for (const Case& c : cases) {
        const std::optional<SpreadsheetExport::Number> n = SpreadsheetExport::number(QString::fromUtf8(c.text));
        EXPECT_EQ(n.has_value(), c.number) << c.text;
        if (n && c.number) {
            EXPECT_DOUBLE_EQ(n->value, c.value) << c.text;
            EXPECT_EQ(n->decimals, c.decimals) << c.text;
        }
    }
}

// A small table through the export and the real writer, then read back from the
// .xlsx file by openpyxl.
class XlsxWorkbook : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeDialogs dialogs;
    FakeClock clock{QDateTime(QDate(2026, 12, 9), QTime(14, 5, 9))};
    QStringList opened;
    XlsxSpreadsheetWriter writer{[this](const QString& path) {
        opened << path;
        return true;
    }};
    const Environment env{TestFiles::dirPath(dir)};

    static QJsonObject readBack(const QString& path) {
        QProcess python;
        python.start(QStringLiteral(ORVANTA_PYTHON3), {QStringLiteral(ORVANTA_READ_XLSX), path});
        EXPECT_TRUE(python.waitForFinished(30000));
        const QByteArray err = python.readAllStandardError();
        EXPECT_EQ(python.exitCode(), 0) << err.toStdString();
        return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    }
};

TEST_F(XlsxWorkbook, TextsStayAsShownSumsAreNumbersFirstRowBoldColumnsFit) {
    const QStringList lines = {
        SpreadsheetExport::gridLine({"Дата", "Счет", "Платеж", "Транзакция", ""}),
        SpreadsheetExport::gridLine({"09.12.26", "007123", "98,00", "0001234567890123", "10:05"}),
        SpreadsheetExport::gridLine({"10.12.26", "992900123456", "1234.56", "_abc", "-5.50"}),
    };
    SpreadsheetExport exporter(env, writer, dialogs, clock);
    // The sums' columns; the account and the time column only look like figures.
    exporter.exportToSpreadsheet(lines, 5, QStringLiteral("Платежи за день"), NumberCells().add({3, 5}, 2));

    const QString path = env.programDir() + QStringLiteral("Отчеты/Платежи за день 2026-12-09 14-05-09.xlsx");
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(opened, QStringList({path}));
    // Nothing but the workbook is left in the folder.
    EXPECT_EQ(QDir(env.programDir() + QStringLiteral("Отчеты")).entryList(QDir::Files).size(), 1);

    const QJsonObject book = readBack(path);
    EXPECT_EQ(book["sheets"].toInt(), 1);
    const QJsonArray rows = book["rows"].toArray();
    ASSERT_EQ(rows.size(), 3);
    auto cell = [&](int row, int column) {
        for (const QJsonValue v : rows[row - 1].toArray())
            if (v["column"].toInt() == column)
                return v.toObject();
        return QJsonObject();
    };
    // Header row: bold texts; the empty cell holds nothing.
    for (int c = 1; c <= 4; ++c)
        EXPECT_TRUE(cell(1, c)["bold"].toBool()) << c;
    EXPECT_EQ(cell(1, 1)["value"].toString(), QStringLiteral("Дата"));
    EXPECT_TRUE(cell(1, 5).isEmpty());
    // Texts exactly as shown, leading zeros and all.
    EXPECT_EQ(cell(2, 1)["value"].toString(), QStringLiteral("09.12.26"));
    EXPECT_EQ(cell(2, 2)["value"].toString(), QStringLiteral("007123"));
    EXPECT_EQ(cell(2, 4)["value"].toString(), QStringLiteral("0001234567890123"));
    EXPECT_EQ(cell(3, 2)["value"].toString(), QStringLiteral("992900123456"));
    EXPECT_FALSE(cell(3, 2)["number"].toBool());
    EXPECT_EQ(cell(3, 4)["value"].toString(), QStringLiteral("_abc"));
    EXPECT_FALSE(cell(2, 1)["bold"].toBool());
    // Sums are numbers shown with two decimals, whichever mark they had.
    for (auto [row, column, value] : {std::tuple{2, 3, 98.0}, {3, 3, 1234.56}, {3, 5, -5.5}}) {
        const QJsonObject c = cell(row, column);
        EXPECT_TRUE(c["number"].toBool()) << row << "," << column;
        EXPECT_DOUBLE_EQ(c["value"].toDouble(), value) << row << "," << column;
        EXPECT_EQ(c["format"].toString(), QStringLiteral("0.00")) << row << "," << column;
    }
    EXPECT_EQ(cell(2, 5)["value"].toString(), QStringLiteral("10:05"));

    // Each column at least as wide as its longest text.
    const QJsonObject widths = book["widths"].toObject();
    EXPECT_GE(widths["D"].toDouble(), 16.0);
    EXPECT_GE(widths["B"].toDouble(), 12.0);
    EXPECT_LT(widths["A"].toDouble(), widths["D"].toDouble());
    EXPECT_EQ(dialogs.texts(), QStringList({"Загрузка успешно окончена!"}));
}

// Qt sets LC_NUMERIC from the desktop; on a Russian one the C library writes
// numbers with a comma, which no spreadsheet reads back.
TEST_F(XlsxWorkbook, SumsAreNumbersOnADesktopWithADecimalComma) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "ru_RU.UTF-8"), nullptr) << "the ru_RU.UTF-8 locale is missing";
    writer.create();
    writer.openWorkbook(env.programDir() + QStringLiteral("Отчеты/comma.xlsx"));
    writer.writeNumber(1, 1, 1234.56, 2, u"1234,56");
    writer.writeNumber(2, 1, 0.5, 2, u"0.50");
    writer.end();
    std::setlocale(LC_NUMERIC, before.c_str());
    const QJsonArray rows = readBack(env.programDir() + QStringLiteral("Отчеты/comma.xlsx"))["rows"].toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_DOUBLE_EQ(rows[0].toArray()[0].toObject()["value"].toDouble(), 1234.56);
    EXPECT_DOUBLE_EQ(rows[1].toArray()[0].toObject()["value"].toDouble(), 0.5);
}

TEST_F(XlsxWorkbook, ACellOutsideTheSheetFailsAndTheRowsBeforeItAreKept) {
    writer.create();
    writer.openWorkbook(env.programDir() + QStringLiteral("Отчеты/part.xlsx"));
    writer.writeText(1, 1, u"kept");
    EXPECT_THROW(writer.writeText(1, 16385, u"beyond the last column"), AppError);
    EXPECT_THROW(writer.writeText(0, 1, u"row 0"), AppError);
    EXPECT_TRUE(writer.end());
    const QJsonArray rows = readBack(env.programDir() + QStringLiteral("Отчеты/part.xlsx"))["rows"].toArray();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].toArray()[0].toObject()["value"].toString(), QStringLiteral("kept"));

    // A folder that cannot be made is an error, before anything is written.
    TestFiles::write(env.programDir() + QStringLiteral("blocked"), "a file, not a folder");
    writer.create();
    EXPECT_THROW(writer.openWorkbook(env.programDir() + QStringLiteral("blocked/x.xlsx")), AppError);
    EXPECT_THROW(writer.writeText(1, 1, u"x"), AppError);
}

// The day's journal with whole and fractional sums, exported by the real writer
// and read back: a spreadsheet's sum of each sum column is the totals row.
TEST_F(XlsxWorkbook, TheJournalsSumColumnsAddUpToItsTotalsRow) {
    FakeFileDialog fileDialog;
    FakePrinter printer;
    Terminal terminal(env.programDir(), Seams{dialogs, clock, fileDialog, printer, writer});
    PaymentJournal& j = terminal.journal();
    const char* sums[][2] = {{"50", "50"}, {"98.50", "100"}, {"120", "120.75"}, {"0", "0"}, {"300", "305,25"}};
    for (const auto& [credited, received] : sums) {
        const int row = j.insertPaymentRow();
        j.setPaymentRow(row, JournalRow{"09.12.26 14:05:09", "Мобил-Тест", "0071234", credited, received,
                                        QStringLiteral("101_%1").arg(row), "Зачислено", "500", "0", "1",
                                        SendFlag::Final});
    }
    terminal.exportJournal();
    ASSERT_EQ(opened.size(), 1);
    const QJsonArray rows = readBack(opened.front())["rows"].toArray();
    const int totalsRow = j.totalsRow(); // the export starts at the journal's row 1
    ASSERT_EQ(rows.size(), totalsRow);
    for (const int column : {PaymentJournal::Credited + 1, PaymentJournal::Received + 1}) {
        SCOPED_TRACE(column);
        double sum = 0;
        double total = 0;
        int numbers = 0;
        for (const QJsonValue row : rows) {
            for (const QJsonValue v : row.toArray()) {
                if (v["column"].toInt() != column)
                    continue;
                if (v["row"].toInt() == totalsRow) {
                    EXPECT_TRUE(v["number"].toBool());
                    total = v["value"].toDouble();
                } else if (v["number"].toBool()) {
                    sum += v["value"].toDouble();
                    ++numbers;
                }
            }
        }
        EXPECT_EQ(numbers, 5);
        EXPECT_EQ(std::llround(sum * 100), std::llround(total * 100));
        EXPECT_GT(total, 0);
    }
    // The account, the transaction and the operator's code are no figures.
    for (const QJsonValue v : rows[1].toArray()) {
        const int column = v["column"].toInt();
        if (column == PaymentJournal::Account + 1 || column == PaymentJournal::Article + 1) {
            EXPECT_FALSE(v["number"].toBool()) << v["value"].toString().toStdString();
        }
    }
}

} // namespace

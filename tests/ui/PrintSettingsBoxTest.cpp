#include "core/IniFile.h"
#include "reports/PrintSettings.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "support/TestFiles.h"
#include "terminal/Terminal.h"
#include "ui/Unit1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList items(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// The settings page's group writes each choice to ip.ini at once and shows
// what the file holds at the start.
TEST(PrintSettingsBox, ChoicesGoToIpIniAndTheTickNeedsAPrinter) {
    QTemporaryDir dir;
    const QString programDir = TestFiles::dirPath(dir);
    TestFiles::writeIpIni(programDir, TestFiles::closedLoopbackPort());
    TestFiles::write(programDir + QStringLiteral("ip.ini"),
                     TestFiles::read(programDir + QStringLiteral("ip.ini")) +
                         "[print]\r\nbumaga=lenta80\r\n");
    FakeDialogs dialogs;
    FakeClock clock;
    FakeFileDialog fileDialog;
    FakePrinter printer;
    printer.installed = {QStringLiteral("XP-58"), QStringLiteral("Office")};
    FakeSpreadsheet spreadsheet;
    Terminal terminal(programDir, Seams{dialogs, clock, fileDialog, printer, spreadsheet});
    TwinMain window(terminal);
    terminal.formCreate();

    auto* group = window.findChild<QGroupBox*>(QStringLiteral("GroupBoxPrint"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), QStringLiteral("Печать квитанций"));
    auto* paper = group->findChild<QComboBox*>(QStringLiteral("ComboBoxPaper"));
    auto* chosen = group->findChild<QComboBox*>(QStringLiteral("ComboBoxPrinter"));
    auto* tick = group->findChild<QCheckBox*>(QStringLiteral("CheckBoxNoDialog"));
    ASSERT_TRUE(paper && chosen && tick);
    EXPECT_EQ(items(paper), QStringList({"Лента 58 мм", "Лента 80 мм", "Лист"}));
    EXPECT_EQ(paper->currentText(), QStringLiteral("Лента 80 мм"));
    EXPECT_EQ(items(chosen), QStringList({"Не выбран", "XP-58", "Office", "Файл PDF (папка pdf)"}));
    EXPECT_EQ(chosen->currentText(), QStringLiteral("Не выбран"));
    EXPECT_EQ(tick->text(), QStringLiteral("Печатать без диалога"));
    EXPECT_FALSE(tick->isEnabled());

    const IniFile ipIni(programDir + QStringLiteral("ip.ini"));
    auto key = [&ipIni](const char* k) {
        return ipIni.readString(QStringLiteral("print"), QString::fromLatin1(k), QStringLiteral("-"));
    };
    paper->setCurrentIndex(0);
    emit paper->activated(0);
    EXPECT_EQ(key("bumaga"), QStringLiteral("lenta58"));
    chosen->setCurrentIndex(1);
    emit chosen->activated(1);
    EXPECT_EQ(key("printer"), QStringLiteral("XP-58"));
    ASSERT_TRUE(tick->isEnabled());
    QTest::mouseClick(tick, Qt::LeftButton, {}, QPoint(5, tick->height() / 2));
    EXPECT_EQ(key("bezdialoga"), QStringLiteral("1"));
    EXPECT_TRUE(terminal.printSettings().printsDirectly());
    EXPECT_EQ(terminal.printSettings().paper(), Paper::Roll58);
    // The server's address kept beside the new section.
    EXPECT_EQ(ipIni.readString(QStringLiteral("options"), QStringLiteral("ip"), QString()),
              QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

} // namespace

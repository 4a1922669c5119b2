#include "platform/RecordFile.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(RecordFile, EntriesAreAppendedWholeAndALineCutShortIsLeftOut) {
    QTemporaryDir dir;
    const QString path = TestFiles::dirPath(dir) + QStringLiteral("101/20261209.del");
    EXPECT_TRUE(RecordFile::read(path).isEmpty());

    RecordFile::append(path, {QStringLiteral("09.12.26 10:00:00"), QStringLiteral("удален"),
                              QStringLiteral("заметка\tс\r\nпереносом")});
    RecordFile::append(path, {QStringLiteral("b"), QString()});
    QList<QStringList> entries = RecordFile::read(path);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0], QStringList({"09.12.26 10:00:00", "удален", "заметка с  переносом"}));
    EXPECT_EQ(entries[1], QStringList({"b", ""}));
    // cp1251, CR LF, never rewritten: what was there stays byte for byte.
    const QByteArray before = TestFiles::read(path);
    EXPECT_TRUE(before.startsWith(TestFiles::cp("09.12.26 10:00:00\tудален\t")));
    EXPECT_TRUE(before.endsWith("\r\n"));

    // A crash in the middle of an entry: the next start reads every whole one,
    // and the next entry starts on a line of its own.
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("09.12.26 10:05:00\tудален\t101_X");
    }
    EXPECT_EQ(RecordFile::read(path).size(), 2);
    RecordFile::append(path, {QStringLiteral("c")});
    entries = RecordFile::read(path);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[2], QStringList({"c"}));
    EXPECT_TRUE(TestFiles::read(path).startsWith(before));
}

TEST(RecordFile, AnEntryThatCannotBeWrittenThrows) {
    QTemporaryDir dir;
    const QString blocked = TestFiles::dirPath(dir) + QStringLiteral("blocked");
    TestFiles::write(blocked, "a file where the folder should be");
    EXPECT_ANY_THROW(RecordFile::append(blocked + QStringLiteral("/x.del"), {QStringLiteral("a")}));
}

} // namespace

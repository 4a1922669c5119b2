#include "core/IniFile.h"
#include "platform/AppError.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ReadCase {
    const char* name;
    QByteArray file; // cp1251 bytes; empty name of file = no file at all
    const char* section;
    const char* key;
    const char* def;
    QString expected;
};

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, ReadsValue) {
    const ReadCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.ini"));
    if (!c.file.isNull())
        TestFiles::write(path, c.file);
    IniFile ini(path);
    EXPECT_EQ(
        ini.readString(QString::fromUtf8(c.section), QString::fromUtf8(c.key), QString::fromUtf8(c.def)),
        c.expected);
}

const char kBinary[] = "[o]\r\nk=\x01\x02\xff\r\n\x00\x00=\r\n";
const QByteArray kLongLine = QByteArray("[a]\r\nk=") + QByteArray(100000, 'x') + "\r\nz=1\r\n";

INSTANTIATE_TEST_SUITE_P(
    Semantics, IniReadTest,
    ::testing::Values(
        ReadCase{"missing_file", QByteArray(), "options", "ip", "127.0.0.1", QStringLiteral("127.0.0.1")},
        ReadCase{"missing_section", "[other]\r\nip=1\r\n", "options", "ip", "d", QStringLiteral("d")},
        ReadCase{"missing_key", "[options]\r\nport=1\r\n", "options", "ip", "d", QStringLiteral("d")},
        ReadCase{"present_empty_is_not_default", "[options]\r\nip=\r\n", "options", "ip", "d", QString("")},
        ReadCase{"section_case", "[OPTIONS]\r\nip=a\r\n", "options", "ip", "d", QStringLiteral("a")},
        ReadCase{"key_case_ipport_IpPort", "[options]\r\nIpPort=5001\r\n", "options", "ipport", "5000",
                 QStringLiteral("5001")},
        ReadCase{"trimmed", "[o]\r\ntel =   992 \t\r\n", "o", "tel", "", QStringLiteral("992")},
        ReadCase{"double_quotes", "[o]\r\nk= \"a b \" \r\n", "o", "k", "", QStringLiteral("a b ")},
        ReadCase{"single_quotes", "[o]\r\nk='x'\r\n", "o", "k", "", QStringLiteral("x")},
        ReadCase{"unmatched_quotes_kept", "[o]\r\nk=\"x'\r\n", "o", "k", "", QStringLiteral("\"x'")},
        ReadCase{"first_key_wins", "[o]\r\nk=1\r\nk=2\r\n", "o", "k", "", QStringLiteral("1")},
        ReadCase{"first_section_wins", "[o]\r\nk=1\r\n[O]\r\nk=2\r\nj=3\r\n", "o", "j", "d",
                 QStringLiteral("d")},
        ReadCase{"equals_in_value", "[o]\r\nk=a=b\r\n", "o", "k", "", QStringLiteral("a=b")},
        ReadCase{"lf_only_lines", "[o]\nk=1\nj=2\n", "o", "j", "", QStringLiteral("2")},
        ReadCase{"cyrillic_cp1251", TestFiles::cp("[Опции]\r\nимя=Касса №1\r\n"), "опции", "ИМЯ", "",
                 QStringLiteral("Касса №1")},
        ReadCase{"unclosed_header_opens_nothing", "[o]\r\nk=1\r\n[broken\r\nk2=2\r\n", "o", "k2", "",
                 QStringLiteral("2")},
        ReadCase{"binary_bytes", QByteArray(kBinary, sizeof kBinary - 1), "o", "k", "",
                 QString::fromUtf8("\x01\x02я")},
        ReadCase{"long_line_truncated", kLongLine, "a", "k", "", QString(2047, QLatin1Char('x'))},
        ReadCase{"after_long_line", kLongLine, "a", "z", "", QStringLiteral("1")}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(IniWrite, CreatesFileAndSectionThenReplacesOnlyThatKeysLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ip.ini"));
    IniFile ini(path);
    ini.writeString(QStringLiteral("options"), QStringLiteral("ip"), QStringLiteral("10.0.0.1"));
    EXPECT_EQ(TestFiles::read(path), QByteArray("[options]\r\nip=10.0.0.1\r\n"));

    ini.writeString(QStringLiteral("options"), QStringLiteral("terminal"), QStringLiteral("101"));
    ini.writeString(QStringLiteral("other"), QStringLiteral("a"), QStringLiteral("б"));
    ini.writeString(QStringLiteral("OPTIONS"), QStringLiteral("IP"), QStringLiteral("10.0.0.2"));
    EXPECT_EQ(TestFiles::read(path),
              QByteArray("[options]\r\nIP=10.0.0.2\r\nterminal=101\r\n\r\n[other]\r\na=") +
                  TestFiles::cp("б") + "\r\n");
}

TEST(IniWrite, KeepsUnrelatedLinesAndAppendsToTheRightSection) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ip.ini"));
    TestFiles::write(path, "; note\r\n[options]\r\nip=1\r\n\r\n[z]\r\nq=2\r\n");
    IniFile ini(path);
    ini.writeString(QStringLiteral("options"), QStringLiteral("ipport"), QStringLiteral("5001"));
    EXPECT_EQ(TestFiles::read(path),
              QByteArray("; note\r\n[options]\r\nip=1\r\nipport=5001\r\n\r\n[z]\r\nq=2\r\n"));
}

TEST(IniWrite, IpportAndIpPortAreOneKeyTheLaterWriteWins) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("ip.ini")));
    ini.writeString(QStringLiteral("options"), QStringLiteral("ipport"), QStringLiteral("5001"));
    ini.writeString(QStringLiteral("options"), QStringLiteral("IpPort"), QStringLiteral("5002"));
    EXPECT_EQ(ini.readString(QStringLiteral("options"), QStringLiteral("ipport"), QString()),
              QStringLiteral("5002"));
    EXPECT_EQ(TestFiles::read(ini.fileName()), QByteArray("[options]\r\nIpPort=5002\r\n"));
}

TEST(IniWrite, FailedWriteRaisesUnableToWriteAndKeepsTheFile) {
    QTemporaryDir dir;
    const QString missingDir = dir.filePath(QStringLiteral("no/such/dir/ip.ini"));
    IniFile ini(missingDir);
    try {
        ini.writeString(QStringLiteral("options"), QStringLiteral("ip"), QStringLiteral("1"));
        FAIL() << "a write into a missing directory must fail";
    } catch (const AppError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Unable to write to ") + missingDir);
    }
    EXPECT_FALSE(QFile::exists(missingDir));
}

TEST(IniRead, SeesTheFileAsItIsNowAfterAnotherWriterReplacedIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("operator.ini"));
    TestFiles::write(path, "[options]\r\ncreate=1\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.readString(QStringLiteral("options"), QStringLiteral("create"), QString()),
              QStringLiteral("1"));
    QFile::remove(path);
    TestFiles::write(path, "[options]\r\ncreate=2\r\n");
    EXPECT_EQ(ini.readString(QStringLiteral("options"), QStringLiteral("create"), QString()),
              QStringLiteral("2"));
    QFile::remove(path);
    EXPECT_EQ(ini.readString(QStringLiteral("options"), QStringLiteral("create"), QStringLiteral("gone")),
              QStringLiteral("gone"));
}

TEST(IniRead, ReadingWritesNothing) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("ip.ini")));
    ini.readString(QStringLiteral("options"), QStringLiteral("ip"), QStringLiteral("x"));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

} // namespace

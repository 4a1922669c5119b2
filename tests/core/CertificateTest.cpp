#include "core/Environment.h"
#include "core/TerminalCertificate.h"
#include "platform/AppError.h"
#include "platform/TextCodec.h"
#include "support/TestFiles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace TerminalCertificate;

namespace {

QByteArray group(const QByteArray& scrambled, int position) {
    return scrambled.mid((position - 1) * 5, 5);
}

} // namespace

TEST(CertificateScramble, AbcScramblesToItsThreeGroupsAndBack) {
    EXPECT_EQ(scramble("abc"), QByteArray("301096022090333"));
    EXPECT_EQ(unscramble("301096022090333"), QByteArray("abc"));
    EXPECT_EQ(scramble(QByteArray()), QByteArray());
    EXPECT_EQ(unscramble(QByteArray()), QByteArray());
}

TEST(CertificateScramble, LeadingDigitFollowsThreeTimesThePosition) {
    // Blanks (32) give (32 + 12) * i after the leading digit.
    const QByteArray s = scramble(QByteArray(34, ' '));
    ASSERT_EQ(s.size(), 34 * 5);
    EXPECT_EQ(group(s, 1), "30044");  // 3
    EXPECT_EQ(group(s, 4), "10176");  // 12
    EXPECT_EQ(group(s, 30), "91320"); // 90
    EXPECT_EQ(group(s, 34), "11496"); // 102
}

TEST(CertificateScramble, PrintableAsciiUpTo233CharactersRoundTrips) {
    QRandomGenerator rng(20261209);
    QList<int> lengths{1, 2, 232, 233};
    for (int k = 0; k < 200; ++k)
        lengths << rng.bounded(1, 234);
    for (const int n : lengths) {
        QByteArray clear(n, Qt::Uninitialized);
        for (char& c : clear)
            c = char(rng.bounded(32, 127));
        // The extremes of the range at the worst positions, too.
        if (n == 233)
            clear = QByteArray(233, '~');
        if (n == 232)
            clear = QByteArray(232, ' ');
        const QByteArray s = scramble(clear);
        ASSERT_EQ(s.size(), 5 * n) << clear.constData();
        EXPECT_EQ(unscramble(s), clear) << clear.constData();
    }
}

TEST(CertificateScramble, ShortGroupOfAHighByteGarblesTheRest) {
    // At position 4 the leading digit is 1, so a negative byte drops the group
    // below five digits: 10000 + (-64 + 12) * 4 = 9792.
    const QByteArray clear = QByteArray("abc") + char(0xC0) + "defgh";
    const QByteArray s = scramble(clear);
    EXPECT_EQ(group(s, 4).left(4), "9792");
    EXPECT_EQ(s.size(), 5 * clear.size() - 1);

    const QByteArray back = unscramble(s);
    EXPECT_EQ(back.left(3), "abc");
    EXPECT_NE(back.at(3), clear.at(3));
    EXPECT_NE(back.mid(4), clear.mid(4));

    // A high byte whose group keeps five digits still comes back.
    const QByteArray fiveDigits = QByteArray("a") + char(0xE9) + "b";
    EXPECT_EQ(unscramble(scramble(fiveDigits)), fiveDigits);
}

TEST(CertificateScramble, GroupThatIsNoIntegerReadsAsZero) {
    // "3010x" is not a number: v = 0, c = (0 - 30000) / 1 - 12, low 8 bits.
    const QByteArray back = unscramble("3010x60220");
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back.at(0), char((-30012) & 0xFF));
    EXPECT_EQ(back.at(1), 'b');
}

class CertificateFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path() const { return env.programDir() + QStringLiteral("101cert.key"); }

    QTemporaryDir dir;
    const Environment env{TestFiles::dirPath(dir)};
    // The file of the terminal typed at login.
    QString certificate = env.certificatePath(QStringLiteral("101"));
};

TEST_F(CertificateFile, StoresOneScrambledLineAndReadsItBack) {
    storeCertificate(certificate, QStringLiteral("abc"));
    EXPECT_EQ(TestFiles::read(path()), QByteArray("301096022090333\r\n"));
    EXPECT_EQ(readCertificate(certificate), std::optional<QString>(QStringLiteral("abc")));

    // A later certificate replaces the whole file.
    storeCertificate(certificate, QStringLiteral("Z9"));
    EXPECT_EQ(TestFiles::read(path()), scramble("Z9") + "\r\n");
    EXPECT_EQ(readCertificate(certificate), std::optional<QString>(QStringLiteral("Z9")));
}

TEST_F(CertificateFile, ReadsOnlyTheFirstLineAndTheLoginTerminalsFile) {
    TestFiles::write(path(), "301096022090333\r\n30110\r\n");
    EXPECT_EQ(readCertificate(certificate), std::optional<QString>(QStringLiteral("abc")));

    certificate = env.certificatePath(QStringLiteral("102"));
    EXPECT_NE(readCertificate(certificate), std::optional<QString>(QStringLiteral("abc")));
}

TEST_F(CertificateFile, MissingFileGivesThePlaceholder) {
    ASSERT_FALSE(QFile::exists(path()));
    const std::optional<QString> cert = readCertificate(certificate);
    ASSERT_TRUE(cert.has_value());

    const QByteArray placeholder(kPlaceholder);
    ASSERT_EQ(placeholder.size(), 9);
    for (const char c : placeholder)
        EXPECT_TRUE(c >= '0' && c <= '9') << placeholder.constData();
    // The same as a file holding the placeholder as its line.
    TestFiles::write(path(), placeholder + "\r\n");
    EXPECT_EQ(readCertificate(certificate), cert);
}

TEST_F(CertificateFile, FileWithoutALineFailsTheRead) {
    TestFiles::write(path(), QByteArray());
    EXPECT_EQ(readCertificate(certificate), std::nullopt);

    // An empty certificate from the server leaves exactly such a file.
    storeCertificate(certificate, QStringLiteral("abc"));
    storeCertificate(certificate, QString());
    ASSERT_TRUE(QFile::exists(path()));
    EXPECT_EQ(TestFiles::read(path()), QByteArray());
    EXPECT_EQ(readCertificate(certificate), std::nullopt);

    // A lone line break is one empty line: an empty certificate, not a failure.
    TestFiles::write(path(), "\r\n");
    EXPECT_EQ(readCertificate(certificate), std::optional<QString>(QString()));
}

TEST_F(CertificateFile, CyrillicTravelsAsCp1251AndGarblesFromTheShortGroup) {
    // Cyrillic letters are negative bytes in cp1251, so the fourth group of
    // "ЖЖЖЖЖ" has four digits and the letters after it come back wrong.
    const QString text = QStringLiteral("ЖЖЖЖЖ");
    storeCertificate(certificate, text);
    EXPECT_EQ(TestFiles::read(path()), scramble(TextCodec::toCp1251(text)) + "\r\n");
    const std::optional<QString> back = readCertificate(certificate);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->left(3), QStringLiteral("ЖЖЖ"));
    EXPECT_NE(*back, text);
}

TEST_F(CertificateFile, FailedWriteThrows) {
    certificate = env.programDir() + QStringLiteral("no/such/dir/101cert.key");
    EXPECT_THROW(storeCertificate(certificate, QStringLiteral("abc")), AppError);
}

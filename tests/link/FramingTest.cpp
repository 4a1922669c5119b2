#include "link/Framing.h"
#include "platform/AppError.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* name;
    std::vector<QByteArray> reads;
    std::vector<QByteArray> messages; // all messages cut, in order
    QByteArray left;                  // still waiting for its terminator
};

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, CutsMessagesAcrossReads) {
    const SplitCase& c = GetParam();
    FrameSplitter s;
    std::vector<QByteArray> got;
    for (const QByteArray& read : c.reads) {
        s.append(read);
        QByteArray m;
        while (s.next(&m))
            got.push_back(m);
    }
    EXPECT_EQ(got, c.messages);
    EXPECT_EQ(s.pending(), c.left.size());
}

const QByteArray kIni = "[options]\r\ncreate=7\r\n[1101]\r\nname=Zarya\r\nFormat=XX=XXX-XX-XX\r\n";

INSTANTIATE_TEST_SUITE_P(
    Framing, SplitTest,
    ::testing::Values(
        SplitCase{"two_and_a_half", {"P$k$X$k$o12", "3$k$"}, {"P", "X", "o123"}, ""},
        SplitCase{"half_waits", {"o1", "23"}, {}, "o123"},
        SplitCase{"terminator_split_k_then_dollar", {"Z1#t$k", "$"}, {"Z1#t"}, ""},
        SplitCase{"terminator_split_dollar_then_k", {"Z1#t$", "k$N"}, {"Z1#t"}, "N"},
        SplitCase{"terminator_one_byte_at_a_time", {"p", "$", "k", "$"}, {"p"}, ""},
        SplitCase{"empty_message", {"$k$$k$X$k$"}, {"", "", "X"}, ""},
        SplitCase{"dollars_in_body", {"a$b$$k$k$", "$k$"}, {"a$b$", "k$"}, ""},
        SplitCase{"line_breaks_in_body", {"N line one\r\nline two\n$k$"}, {"N line one\r\nline two\n"}, ""},
        SplitCase{"whole_ini_file", {"G" + kIni + "$k$"}, {"G" + kIni}, ""}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(FrameSplitter, ManySmallReadsOfALargeMessage) {
    FrameSplitter s;
    QByteArray body(200000, 'x');
    const QByteArray wire = "f6101#10/" + body + "$k$";
    QByteArray m;
    int cut = 0;
    for (qsizetype i = 0; i < wire.size(); i += 1000) {
        s.append(wire.mid(i, 1000));
        while (s.next(&m))
            ++cut;
    }
    EXPECT_EQ(cut, 1);
    EXPECT_EQ(m, "f6101#10/" + body);
    EXPECT_EQ(s.pending(), 0);
}

TEST(FrameSplitter, GivesBackTheMemoryOfALargeMessage) {
    FrameSplitter s;
    s.append("G" + QByteArray(8 * 1024 * 1024, 'x') + "$k$Hf par");
    QByteArray m;
    ASSERT_TRUE(s.next(&m));
    EXPECT_EQ(m.size(), 8 * 1024 * 1024 + 1);
    m.clear();
    EXPECT_FALSE(s.next(&m));
    // The partial message behind it keeps a few bytes, not eight megabytes.
    s.append("tial$k$");
    EXPECT_LT(s.capacity(), 1024 * 1024);
    ASSERT_TRUE(s.next(&m));
    EXPECT_EQ(m, QByteArray("Hf partial"));

    // A connection that drops leaves nothing behind.
    s.append(QByteArray(4 * 1024 * 1024, 'y'));
    s.clear();
    EXPECT_EQ(s.capacity(), 0);
    EXPECT_EQ(s.pending(), 0);
}

TEST(Frame, AddsTheTerminatorInCp1251) {
    EXPECT_EQ(Framing::frame(QStringLiteral("Ux901234567")), QByteArray("Ux901234567$k$"));
    EXPECT_EQ(Framing::frame(QStringLiteral("dКасса")),
              QByteArray("d") + TextCodec::toCp1251(u"Касса") + "$k$");
    EXPECT_EQ(Framing::frame(QString()), QByteArray("$k$"));
}

TEST(Frame, RefusesABodyTheTerminatorWouldSplit) {
    // A password holding "$k$", or a field ending the body in "$k", would be cut
    // short at the server.
    EXPECT_THROW(Framing::frame(QStringLiteral("d101#pa$k$ss#s!c")), AppError);
    EXPECT_THROW(Framing::frame(QStringLiteral("Ux12$k")), AppError);
    EXPECT_NO_THROW(Framing::frame(QStringLiteral("Ux12$")));
    EXPECT_NO_THROW(Framing::frame(QStringLiteral("o1#20$1101?10!9.80/901234567#cert)")));
}

} // namespace

#include "sim/FrameBuffer.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

QList<QByteArray> drain(sim::FrameBuffer& frames) {
    QList<QByteArray> out;
    QByteArray message;
    while (frames.next(message))
        out << message;
    return out;
}

// Feeds the stream in chunks of the given size, taking messages after every chunk.
QList<QByteArray> feed(const QByteArray& stream, qsizetype chunk, sim::FrameBuffer& frames) {
    QList<QByteArray> out;
    for (qsizetype at = 0; at < stream.size(); at += chunk) {
        frames.append(stream.mid(at, chunk));
        out << drain(frames);
    }
    return out;
}

} // namespace

TEST(simFrameBuffer, EveryChunkingGivesTheSameMessages) {
    // An empty message, a "$" just before a terminator, line breaks inside a body,
    // and a partial message left at the end.
    const QByteArray stream = "B101$k$QN$k$$k$a$$k$G[options]\r\ncreate=1$k$part";
    const QList<QByteArray> expected = {"B101", "QN", "", "a$", "G[options]\r\ncreate=1"};
    for (qsizetype chunk : {1, 2, 3, 4, 7, 1000}) {
        sim::FrameBuffer frames;
        EXPECT_EQ(feed(stream, chunk, frames), expected) << "chunk " << chunk;
        EXPECT_EQ(frames.pending(), 4) << "chunk " << chunk;
    }
}

TEST(simFrameBuffer, TerminatorSplitAcrossReadsIsFound) {
    sim::FrameBuffer frames;
    frames.append("Z1#101_1$k");
    EXPECT_TRUE(drain(frames).isEmpty());
    frames.append("$");
    EXPECT_EQ(drain(frames), QList<QByteArray>{"Z1#101_1"});
    EXPECT_EQ(frames.pending(), 0);

    // "$" then "k$": the split falls after the first character.
    frames.append("QN$");
    EXPECT_TRUE(drain(frames).isEmpty());
    frames.append("k$");
    EXPECT_EQ(drain(frames), QList<QByteArray>{"QN"});
}

TEST(simFrameBuffer, OverlappingDollarsDoNotHideATerminator) {
    sim::FrameBuffer frames;
    frames.append("$k$k$");
    EXPECT_EQ(drain(frames), QList<QByteArray>{""});
    EXPECT_EQ(frames.pending(), 2); // "k$" waits
    frames.append("$");
    EXPECT_TRUE(drain(frames).isEmpty()); // "k$$" holds no terminator
    frames.append("k$");
    EXPECT_EQ(drain(frames), QList<QByteArray>{"k$"});
}

TEST(simFrameBuffer, ManyMessagesInOneReadComeOutInOrder) {
    QByteArray stream;
    for (int i = 0; i < 20000; ++i)
        stream += "UZ" + QByteArray::number(i) + "$k$";
    sim::FrameBuffer frames;
    frames.append(stream);
    const QList<QByteArray> out = drain(frames);
    ASSERT_EQ(out.size(), 20000);
    EXPECT_EQ(out.first(), "UZ0");
    EXPECT_EQ(out.last(), "UZ19999");
    EXPECT_EQ(frames.pending(), 0);
}

TEST(simFrameBuffer, PendingCountsOnlyTheUnterminatedTail) {
    sim::FrameBuffer frames;
    frames.append(QByteArray(1000, 'x') + "$k$" + QByteArray(10, 'y'));
    EXPECT_EQ(drain(frames).size(), 1);
    EXPECT_EQ(frames.pending(), 10);
    frames.clear();
    EXPECT_EQ(frames.pending(), 0);
}

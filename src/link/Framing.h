#pragma once

#include <QByteArray>
#include <QString>

// The wire's framing: every message is its cp1251 body followed by "$k$".
namespace Framing {

inline constexpr char Terminator[] = "$k$";

// Frames one body. A body the terminator could be found inside (one holding "$k$",
// or ending in "$k") would split into wrong messages at the peer, so it is refused
// with AppError instead of being sent.
QByteArray frame(const QString& body);

} // namespace Framing

// Cuts received bytes into messages. The search for the terminator resumes where
// the previous one stopped, so a reply arriving in many small reads costs linear
// time. Bytes before a terminator wait until it arrives.
class FrameSplitter {
public:
    void append(const QByteArray& bytes);
    // The next complete message (terminator removed), or false when none is complete.
    bool next(QByteArray* message);
    // Bytes received and not yet cut into messages.
    qsizetype pending() const { return buffer_.size() - head_; }
    // Memory the buffer holds, whatever it is used for.
    qsizetype capacity() const { return buffer_.capacity(); }
    // Drops everything and returns the memory.
    void clear();

private:
    QByteArray buffer_;
    qsizetype head_ = 0; // start of the first unconsumed byte
    qsizetype scan_ = 0; // no terminator starts before this position
};

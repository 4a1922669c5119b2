#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace sim {

// Cuts the byte stream of one client into messages closed by "$k$".
// The search for the terminator resumes where the previous one stopped and consumed
// bytes are dropped in bulk, so many small reads and many messages per read both stay
// linear in the number of bytes.
class FrameBuffer {
public:
    static constexpr qsizetype DefaultLimit = 16 * 1024 * 1024;

    void append(QByteArrayView bytes);
    // Takes the next complete message (terminator removed); false when none is complete.
    bool next(QByteArray& message);
    // Bytes received and not yet part of a complete message, once next() has returned false.
    qsizetype pending() const { return buffer_.size() - head_; }
    void clear();

private:
    void compact();

    QByteArray buffer_;
    qsizetype head_ = 0; // start of the first unconsumed byte
    qsizetype scan_ = 0; // where the next terminator search starts
};

} // namespace sim

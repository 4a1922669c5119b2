#include "link/Framing.h"

#include "platform/AppError.h"
#include "platform/TextCodec.h"

#include <cstring>

namespace Framing {

QByteArray frame(const QString& body) {
    QByteArray bytes = TextCodec::toCp1251(body);
    if (bytes.contains(Terminator) || bytes.endsWith("$k"))
        throw AppError(QStringLiteral("Недопустимое сообщение серверу: поле содержит \"$k$\""));
    bytes += Terminator;
    return bytes;
}

} // namespace Framing

namespace {
// Below this the buffer keeps its memory for the next messages.
constexpr qsizetype kKeptCapacity = 64 * 1024;
} // namespace

void FrameSplitter::append(const QByteArray& bytes) {
    // Drop consumed bytes once they are the larger part, keeping appends amortised linear.
    if (head_ > 0 && head_ >= buffer_.size() / 2) {
        buffer_.remove(0, head_);
        scan_ -= head_;
        head_ = 0;
        // A large message is gone and only a little follows it: its memory goes back.
        if (buffer_.capacity() > kKeptCapacity && buffer_.capacity() > 4 * (buffer_.size() + bytes.size()))
            buffer_.squeeze();
    }
    buffer_ += bytes;
}

bool FrameSplitter::next(QByteArray* message) {
    const qsizetype size = buffer_.size();
    const char* data = buffer_.constData();
    qsizetype from = qMax(scan_, head_);
    while (from + 3 <= size) {
        const void* hit = std::memchr(data + from, '$', size_t(size - from - 2));
        if (!hit)
            break;
        const qsizetype at = static_cast<const char*>(hit) - data;
        if (data[at + 1] == 'k' && data[at + 2] == '$') {
            *message = buffer_.mid(head_, at - head_);
            head_ = at + 3;
            scan_ = head_;
            if (head_ == size) {
                buffer_.clear();
                head_ = scan_ = 0;
            }
            return true;
        }
        from = at + 1;
    }
    // A terminator may still start in the last two bytes.
    scan_ = qMax(head_, size - 2);
    return false;
}

void FrameSplitter::clear() {
    buffer_.clear();
    head_ = scan_ = 0;
}

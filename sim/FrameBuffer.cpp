#include "sim/FrameBuffer.h"

#include <algorithm>

namespace sim {
namespace {
constexpr char kTerminator[] = "$k$";
constexpr qsizetype kTerminatorSize = 3;
} // namespace

void FrameBuffer::append(QByteArrayView bytes) {
    buffer_.append(bytes.data(), bytes.size());
}

bool FrameBuffer::next(QByteArray& message) {
    const qsizetype at =
        buffer_.indexOf(QByteArrayView(kTerminator, kTerminatorSize), std::max(head_, scan_));
    if (at < 0) {
        // A terminator split across reads ("$k" then "$") starts in the last two bytes.
        scan_ = std::max(head_, buffer_.size() - (kTerminatorSize - 1));
        compact();
        return false;
    }
    message = buffer_.mid(head_, at - head_);
    head_ = at + kTerminatorSize;
    scan_ = head_;
    return true;
}

void FrameBuffer::clear() {
    buffer_.clear();
    head_ = 0;
    scan_ = 0;
}

void FrameBuffer::compact() {
    if (head_ == 0)
        return;
    buffer_.remove(0, head_);
    scan_ -= head_;
    head_ = 0;
}

} // namespace sim

#include "core/NewsTicker.h"

void NewsTicker::append(const QString& text) {
    text_ += QString(14, QLatin1Char(' ')) + text;
}

const QString& NewsTicker::tick() {
    if (text_.size() < position_) {
        position_ = 1;
        ++rounds_;
    }
    if (position_ <= text_.size())
        caption_ += text_.at(position_ - 1);
    if (rounds_ > 5) {
        caption_.clear();
        rounds_ = 0;
    }
    ++position_;
    return caption_;
}

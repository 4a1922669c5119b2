#pragma once

#include <QString>

// The news line's ticker: the server's news texts, each after fourteen blanks,
// shown one more character at every tick; after a round over the whole text it
// starts again from its first character, and after the sixth round the line is
// emptied and the rounds counted anew. The window ticks it.
class NewsTicker {
public:
    void append(const QString& text);
    // One step; returns the caption after it.
    const QString& tick();

    const QString& text() const { return text_; }
    const QString& caption() const { return caption_; }
    int position() const { return position_; }
    int rounds() const { return rounds_; }

private:
    QString text_;
    QString caption_;
    int position_ = 1;
    int rounds_ = 0;
};

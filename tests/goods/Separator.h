#pragma once

#include "platform/Locale.h"

#include <QString>
#include <QStringList>

#include <initializer_list>

// Runs a piece of a test under one decimal separator and puts the old one back.
class Separator {
public:
    explicit Separator(QChar c) : saved_(Locale::decimalSeparator()) { Locale::setDecimalSeparator(c); }
    ~Separator() { Locale::setDecimalSeparator(saved_); }
    Separator(const Separator&) = delete;
    Separator& operator=(const Separator&) = delete;

private:
    QChar saved_;
};

// An expectation written with "_" where the locale's decimal separator stands.
inline QString sep(const char* text) {
    return QString::fromUtf8(text).replace(QLatin1Char('_'), Locale::decimalSeparator());
}
inline QStringList sep(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* t : texts)
        out << sep(t);
    return out;
}

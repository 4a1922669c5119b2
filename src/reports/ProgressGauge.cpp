#include "reports/ProgressGauge.h"

#include "platform/AppError.h"

#include <algorithm>

int ProgressGauge::percentDone() const {
    const qint64 range = qint64(maximum_) - minimum();
    if (range == 0)
        return 0;
    return int((qint64(progress_) - minimum()) * 100 / range);
}

void ProgressGauge::setProgress(int value) {
    const int clamped = std::clamp(value, minimum(), maximum_);
    if (clamped == progress_)
        return;
    const int before = percentDone();
    progress_ = clamped;
    if (percentDone() != before)
        emit changed();
}

void ProgressGauge::setMaximum(int value) {
    if (value == 0)
        return;
    if (value < minimum())
        throw AppError(QStringLiteral("Предел индикатора %1 меньше начала %2").arg(value).arg(minimum()));
    maximum_ = value;
    progress_ = std::min(progress_, maximum_);
    emit changed();
}

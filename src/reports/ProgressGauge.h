#pragma once

#include <QObject>

// The gauge of the progress window: a position within a range, shown as the
// percentage done. The window draws it; this is what it draws.
class ProgressGauge : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    int minimum() const { return 0; }
    int maximum() const { return maximum_; }
    int progress() const { return progress_; }

    // floor((progress - minimum) * 100 / (maximum - minimum)); 0 for an empty range.
    int percentDone() const;

    // Clamped into the range; the gauge is redrawn when the percentage changes.
    void setProgress(int value);
    void addProgress(int step) { setProgress(progress_ + step); }
    // 0 is ignored (the old maximum stays); below the minimum throws AppError;
    // otherwise the progress is lowered to the new maximum when above it.
    void setMaximum(int value);

signals:
    // Redraw now: the export does not return to the event loop until it ends.
    void changed();

private:
    int maximum_ = 100;
    int progress_ = 0;
};

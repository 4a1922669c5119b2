#pragma once

#include "platform/FileDialog.h"

#include <QStringList>

// Answers the next file-open dialog with a scripted path ("" = cancelled).
class FakeFileDialog : public FileDialog {
public:
    QString openFile(const QString& directory, const QString& filter) override {
        lastDirectory = directory;
        lastFilter = filter;
        ++opened;
        return nextPath;
    }
    QString nextPath;
    QString lastDirectory;
    QString lastFilter;
    int opened = 0;
};

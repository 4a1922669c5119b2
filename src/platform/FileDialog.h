#pragma once

#include <QString>

// The file-open dialog. Returns the chosen path, or an empty text when the
// user cancels.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    virtual QString openFile(const QString& directory, const QString& filter) = 0;
};

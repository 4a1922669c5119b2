#pragma once

#include "platform/SpreadsheetWriter.h"

#include <functional>
#include <memory>
#include <vector>

class QTemporaryDir;
struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// The spreadsheet writer of this platform: an .xlsx file written with
// libxlsxwriter, then opened with the desktop's spreadsheet program. The file
// is kept, so closing that program without saving loses nothing. The first row
// is bold, numbers show their decimals as written, columns fit their texts.
class XlsxSpreadsheetWriter : public SpreadsheetWriter {
public:
    // Opens a finished workbook for the user; false when nothing took it.
    using Opener = std::function<bool(const QString& path)>;

    // Without an opener the desktop's own (QDesktopServices::openUrl).
    explicit XlsxSpreadsheetWriter(Opener opener = Opener());
    ~XlsxSpreadsheetWriter() override;

    void create() override;
    void openWorkbook(const QString& path) override;
    void writeText(int row, int column, QStringView text) override;
    void writeNumber(int row, int column, double value, int decimals, QStringView shown) override;
    bool end() override;

private:
    void discard();
    void checkCell(int row, int column) const;
    // After a cell was written: its error thrown, its column widened to it.
    void written(int row, int column, int error, QStringView shown);

    Opener opener_;
    QString path_;
    std::unique_ptr<QTemporaryDir> work_;
    QString workFile_;
    QByteArray workDirName_;
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* bold_ = nullptr;
    lxw_format* sum_ = nullptr;
    lxw_format* boldSum_ = nullptr;
    lxw_format* whole_ = nullptr;
    lxw_format* boldWhole_ = nullptr;
    std::vector<int> widths_; // characters, by column from 0
    QByteArray utf8_;         // reused for every cell
};

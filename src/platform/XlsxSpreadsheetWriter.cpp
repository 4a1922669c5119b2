#include "platform/XlsxSpreadsheetWriter.h"

#include "platform/AppError.h"
#include "platform/FileIo.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <xlsxwriter.h>

#include <algorithm>
#include <clocale>
#include <locale.h>

namespace {

// Column widths in characters of the default font: a little room around the
// longest text, and no column wider than a screen's half.
constexpr int kMinWidth = 6;
constexpr int kMaxWidth = 80;
// The spreadsheet's built-in number formats "0" and "0.00".
constexpr uint8_t kWhole = 1;
constexpr uint8_t kTwoDecimals = 2;

QString reason(lxw_error error) {
    return QString::fromUtf8(lxw_strerror(error));
}

// libxlsxwriter prints numbers with the C library's printf when it writes the
// file; on a Russian desktop Qt has set LC_NUMERIC, and "98,5" in the file's
// XML is no number. The C locale is set for this thread only while it writes.
class CNumbers {
public:
    CNumbers() : c_(newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr))) {
        if (c_)
            previous_ = uselocale(c_);
    }
    ~CNumbers() {
        if (c_) {
            uselocale(previous_);
            freelocale(c_);
        }
    }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

private:
    locale_t c_;
    locale_t previous_ = nullptr;
};

} // namespace

XlsxSpreadsheetWriter::XlsxSpreadsheetWriter(Opener opener) : opener_(std::move(opener)) {
    if (!opener_)
        opener_ = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
}

XlsxSpreadsheetWriter::~XlsxSpreadsheetWriter() {
    discard();
}

void XlsxSpreadsheetWriter::discard() {
    if (book_)
        lxw_workbook_free(book_);
    book_ = nullptr;
    sheet_ = nullptr;
    bold_ = sum_ = boldSum_ = whole_ = boldWhole_ = nullptr;
    work_.reset();
    widths_.clear();
}

void XlsxSpreadsheetWriter::create() {
    discard();
}

void XlsxSpreadsheetWriter::openWorkbook(const QString& path) {
    discard();
    path_ = path;
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw AppError(QStringLiteral("Не удалось создать папку ") + QDir::toNativeSeparators(folder));
    // libxlsxwriter writes its own file; the workbook reaches its place as one
    // checked whole-file write, so a failed export never leaves half a file.
    work_ = std::make_unique<QTemporaryDir>();
    if (!work_->isValid())
        throw AppError(QStringLiteral("Не удалось создать временную папку: ") + work_->errorString());
    workFile_ = work_->filePath(QStringLiteral("book.xlsx"));
    // Kept until the workbook is closed: the library may hold on to the pointer.
    workDirName_ = QFile::encodeName(work_->path());
    lxw_workbook_options options{};
    options.tmpdir = workDirName_.data();
    book_ = workbook_new_opt(QFile::encodeName(workFile_).constData(), &options);
    if (book_)
        sheet_ = workbook_add_worksheet(book_, nullptr);
    if (!book_ || !sheet_) {
        discard();
        throw AppError(QStringLiteral("Не удалось создать книгу ") + QDir::toNativeSeparators(path));
    }
    bold_ = workbook_add_format(book_);
    format_set_bold(bold_);
    sum_ = workbook_add_format(book_);
    format_set_num_format_index(sum_, kTwoDecimals);
    boldSum_ = workbook_add_format(book_);
    format_set_bold(boldSum_);
    format_set_num_format_index(boldSum_, kTwoDecimals);
    whole_ = workbook_add_format(book_);
    format_set_num_format_index(whole_, kWhole);
    boldWhole_ = workbook_add_format(book_);
    format_set_bold(boldWhole_);
    format_set_num_format_index(boldWhole_, kWhole);
}

void XlsxSpreadsheetWriter::checkCell(int row, int column) const {
    if (!sheet_)
        throw AppError(QStringLiteral("Книга для выгрузки не открыта"));
    if (row < 1 || column < 1 || row > LXW_ROW_MAX || column > LXW_COL_MAX)
        throw AppError(QStringLiteral("Ячейка (%1, %2) вне листа").arg(row).arg(column));
}

void XlsxSpreadsheetWriter::written(int row, int column, int error, QStringView shown) {
    if (error != LXW_NO_ERROR)
        throw AppError(QStringLiteral("Не удалось записать ячейку (%1, %2): %3")
                           .arg(row)
                           .arg(column)
                           .arg(reason(lxw_error(error))));
    if (size_t(column) > widths_.size())
        widths_.resize(size_t(column), 0);
    int& width = widths_[size_t(column - 1)];
    width = std::max(width, int(shown.size()));
}

void XlsxSpreadsheetWriter::writeText(int row, int column, QStringView text) {
    checkCell(row, column);
    utf8_ = text.toUtf8();
    const lxw_error error = worksheet_write_string(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 1),
                                                   utf8_.constData(), row == 1 ? bold_ : nullptr);
    written(row, column, error, text);
}

void XlsxSpreadsheetWriter::writeNumber(int row, int column, double value, int decimals, QStringView shown) {
    checkCell(row, column);
    const bool first = row == 1;
    // Counts as whole numbers, sums with two decimals, anything finer as it comes.
    lxw_format* format = decimals == 0   ? (first ? boldWhole_ : whole_)
                         : decimals <= 2 ? (first ? boldSum_ : sum_)
                                         : (first ? bold_ : nullptr);
    const lxw_error error =
        worksheet_write_number(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 1), value, format);
    written(row, column, error, shown);
}

bool XlsxSpreadsheetWriter::end() {
    if (!book_)
        throw AppError(QStringLiteral("Книга для выгрузки не открыта"));
    for (size_t c = 0; c < widths_.size(); ++c) {
        if (widths_[c] == 0)
            continue;
        const int width = std::clamp(widths_[c] + 2, kMinWidth, kMaxWidth);
        worksheet_set_column(sheet_, lxw_col_t(c), lxw_col_t(c), width, nullptr);
    }
    lxw_error error;
    {
        const CNumbers cNumbers;
        error = workbook_close(book_);
    }
    book_ = nullptr; // closing frees it, whatever the outcome
    sheet_ = nullptr;
    if (error != LXW_NO_ERROR) {
        discard();
        throw AppError(QStringLiteral("Не удалось сохранить книгу ") + QDir::toNativeSeparators(path_) +
                       QStringLiteral(": ") + reason(error));
    }
    QByteArray bytes;
    const bool read = FileIo::readBytes(workFile_, &bytes);
    discard();
    if (!read)
        throw AppError(QStringLiteral("Не удалось прочитать собранную книгу ") +
                       QDir::toNativeSeparators(workFile_));
    FileIo::writeBytes(path_, bytes,
                       QStringLiteral("Не удалось сохранить книгу ") + QDir::toNativeSeparators(path_));
    return opener_(path_);
}

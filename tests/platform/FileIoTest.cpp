#include "platform/AppError.h"
#include "platform/FileIo.h"
#include "platform/RecordFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(FileIoFailure, TheReasonIsRussianFromTheSystemsNumberOrQtsCode) {
    struct Case {
        QFileDevice::FileError error;
        int systemError;
        const char* reason;
    };
    const Case cases[] = {
        {QFileDevice::WriteError, ENOSPC, "нет места на диске"},
        {QFileDevice::ResourceError, 0, "нет места на диске"},
        {QFileDevice::OpenError, EACCES, "нет доступа"},
        {QFileDevice::PermissionsError, 0, "нет доступа"},
        {QFileDevice::OpenError, EROFS, "диск только для чтения"},
        {QFileDevice::OpenError, ENOENT, "нет такой папки"},
        {QFileDevice::OpenError, 0, "файл не открывается"},
        {QFileDevice::RenameError, 0, "старый файл не удалось заменить"},
        {QFileDevice::WriteError, 0, "ошибка записи"},
        {QFileDevice::UnspecifiedError, 0, "ошибка файла"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileIo::failureReason(c.error, c.systemError), QString::fromUtf8(c.reason))
            << c.error << " " << c.systemError;
}

// A file that cannot be written is reported in Russian with the reason, never
// with Qt's English text; an old file stays as it was.
TEST(FileIoFailure, AFailedWriteSaysWhichFileAndWhyInRussian) {
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("day"));
    FileIo::writeBytes(blocker, "x"); // a file where a folder is expected
    const QString path = blocker + QStringLiteral("/091226.dat");
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way);
        try {
            if (way == 0)
                FileIo::writeLines(path, {QStringLiteral("a")});
            else
                RecordFile::append(path, {QStringLiteral("a")});
            ADD_FAILURE() << "no error";
        } catch (const AppError& e) {
            const QString text = e.text();
            EXPECT_TRUE(text.startsWith(way == 0 ? QStringLiteral("Не удалось записать файл ")
                                                 : QStringLiteral("Не удалось дописать запись ")))
                << text.toStdString();
            EXPECT_TRUE(text.endsWith(QStringLiteral(": нет такой папки"))) << text.toStdString();
            EXPECT_FALSE(text.contains(QStringLiteral("Cannot"))) << text.toStdString();
        }
    }
    QByteArray kept;
    ASSERT_TRUE(FileIo::readBytes(blocker, &kept));
    EXPECT_EQ(kept, QByteArray("x"));
}

} // namespace

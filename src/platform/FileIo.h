#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QFileDevice>
#include <QString>
#include <QStringList>

// Whole-file reading and writing. Every write goes through QSaveFile, so a crash
// or a full disk leaves the previous file whole; a failed write throws AppError.
namespace FileIo {

// Splits at CR LF, LF or CR; a line break at the very end opens no extra line.
QByteArrayList splitLines(const QByteArray& bytes);

// The same split for text already decoded.
QStringList splitLines(const QString& text);

// Reads the whole file; false when it does not exist or cannot be read.
bool readBytes(const QString& path, QByteArray* out);

// The file's lines, decoded from cp1251; false when it does not exist or cannot be read.
bool readLines(const QString& path, QStringList* lines);

// Why a file operation failed, in Russian for the cashier: from the device's
// error and the system's error number (errno) of the failed call.
QString failureReason(QFileDevice::FileError error, int systemError);

// Replaces the file with the given bytes. Throws AppError(errorText) on failure;
// errorText defaults to "Не удалось записать файл <path>: <reason>".
void writeBytes(const QString& path, const QByteArray& bytes, const QString& errorText = QString());

// Replaces the file with the lines, cp1251, each ended by CR LF.
void writeLines(const QString& path, const QStringList& lines, const QString& errorText = QString());

bool exists(const QString& path);

} // namespace FileIo

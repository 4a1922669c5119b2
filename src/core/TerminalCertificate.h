#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The certificate the server issues this terminal. It is kept only in its file
// (Environment::certificatePath), as one line of decimal digit groups,
// and read back for every payment request.
namespace TerminalCertificate {

// One decimal group per byte: d * 10000 + (c + 12) * i, where i is the 1-based
// position, c the byte as a signed 8-bit number and d the first digit of 3 * i.
QByteArray scramble(const QByteArray& clear);

// Reads five characters per byte, whatever the groups' real lengths were: a
// certificate of printable ASCII up to 233 characters comes back whole, anything
// else comes back garbled from the first group that was not five digits long.
QByteArray unscramble(const QByteArray& scrambled);

// Replaces the certificate file with the scrambled text (cp1251). An empty text
// leaves an empty file, which holds no line.
void storeCertificate(const QString& path, const QString& text);

// The certificate in clear. Without a file, the built-in placeholder stands in
// (the server then refuses the payment); a file without a line gives nullopt, and
// the caller abandons the request it was building.
std::optional<QString> readCertificate(const QString& path);

// Stands in for the scrambled line when this terminal has no certificate file.
inline constexpr char kPlaceholder[] = "000000000";

} // namespace TerminalCertificate

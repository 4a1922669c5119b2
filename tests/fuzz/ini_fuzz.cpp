// Ini files of any shape: every key reads, and writing one key leaves what every
// other key reads as it was.
#include "FuzzSupport.h"

#include "core/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace {
// What a key no file holds reads as.
const QString kMissing = QStringLiteral("(missing)");
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Fuzz::init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir(Fuzz::scratchTemplate());
    const QString path = dir.path() + QStringLiteral("/fuzz.ini");
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(bytes);
    }

    // The sections and keys the text seems to name, as a reader would guess them.
    std::vector<std::pair<QString, QString>> names = {{QStringLiteral("options"), QStringLiteral("ip")}};
    QString section;
    for (const QByteArray& line : bytes.split('\n')) {
        const QString text = QString::fromLatin1(line).trimmed();
        if (text.startsWith(QLatin1Char('[')) && text.contains(QLatin1Char(']')))
            section = text.mid(1, text.lastIndexOf(QLatin1Char(']')) - 1);
        else if (text.contains(QLatin1Char('=')) && names.size() < 32)
            names.emplace_back(section, text.left(text.indexOf(QLatin1Char('='))));
    }

    IniFile ini(path);
    std::vector<QString> before;
    for (const auto& [s, k] : names)
        before.push_back(ini.readString(s, k, kMissing));

    ini.writeString(QStringLiteral("options"), QStringLiteral("create"), QStringLiteral("stamp-7"));
    if (ini.readString(QStringLiteral("options"), QStringLiteral("create"), QString()) !=
        QLatin1String("stamp-7"))
        Fuzz::fail("a key written does not read back");
    for (size_t i = 0; i < names.size(); ++i) {
        const auto& [s, k] = names[i];
        if (s.trimmed().toLower() == QLatin1String("options") &&
            k.trimmed().toLower() == QLatin1String("create"))
            continue;
        if (ini.readString(s, k, kMissing) != before[i])
            Fuzz::fail("writing one key changed another");
    }
    return 0;
}

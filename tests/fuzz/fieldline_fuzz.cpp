// The "#"-field lines of the files the server sends: split both ways they are
// split, and the turnover statement loaded from such a file.
#include "FuzzSupport.h"

#include "core/AppContext.h"
#include "core/FieldLine.h"
#include "goods/TurnoverStatement.h"
#include "link/FileReplies.h"
#include "link/ServerLink.h"
#include "platform/TextCodec.h"
#include "support/FakeDialogs.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

struct Statement {
    QTemporaryDir dir{Fuzz::scratchTemplate()};
    FakeDialogs dialogs;
    AppContext ctx;
    ServerLink link{ctx};
    FileReplies replies{ctx, link};
    TurnoverStatement turnover{ctx, link, replies};

    Statement() {
        ctx.programDir = dir.path() + QLatin1Char('/');
        ctx.loginTerminal = ctx.terminalNumber = QStringLiteral("101");
        ctx.dialogs = &dialogs;
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Fuzz::init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = TextCodec::fromCp1251(bytes);
    const int count = size ? data[0] % 48 : 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QStringList all = FieldLine::fields(line);
        const qsizetype lastHash = line.lastIndexOf(QLatin1Char('#'));
        if (all.join(QLatin1Char('#')) + (all.isEmpty() ? QString() : QStringLiteral("#")) !=
            line.left(lastHash + 1))
            Fuzz::fail("the fields do not make up the line");
        const QStringList some = FieldLine::fields(line, count);
        if (some.size() != count)
            Fuzz::fail("not the number of fields asked for");
        for (int i = 0; i < count; ++i) {
            if (some[i] != all.value(i))
                Fuzz::fail("the counted fields differ from the fields");
        }
        for (const QString& f : all) {
            if (FieldLine::decimal(f).size() != f.size())
                Fuzz::fail("a figure changed its length");
        }
    }

    static Statement statement;
    statement.dialogs.shown.clear();
    QFile f(statement.turnover.filePath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    f.write(bytes);
    f.close();
    statement.turnover.load();
    return 0;
}

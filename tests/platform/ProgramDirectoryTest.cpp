#include "platform/AppError.h"
#include "platform/IconLookup.h"
#include "platform/ProgramDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

class ProgramDirectoryChoice : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString path(const char* relative) const { return tmp.path() + QLatin1Char('/') + QLatin1String(relative); }
};

TEST_F(ProgramDirectoryChoice, BesideTheProgramWhenWritableElseTheDataDirectoryCreated) {
    struct Case {
        const char* name;
        bool writable;
        bool dataDirExists;
        bool besideProgram;
    };
    const Case cases[] = {
        {"copied terminal directory", true, false, true},
        {"installed, data directory there", false, true, false},
        {"installed, first start: data directory missing", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        const QString exeDir = root.path() + QStringLiteral("/terminal");
        const QString dataDir = root.path() + QStringLiteral("/home/.local/share/Orvanta");
        ASSERT_TRUE(QDir().mkpath(exeDir));
        if (c.dataDirExists) {
            ASSERT_TRUE(QDir().mkpath(dataDir));
        }

        const QString chosen = ProgramDirectory::choose(exeDir, c.writable, dataDir);

        EXPECT_EQ(chosen, (c.besideProgram ? exeDir : dataDir) + QLatin1Char('/'));
        // The data directory is made only when it is used.
        EXPECT_EQ(QFileInfo(dataDir).isDir(), c.dataDirExists || !c.besideProgram);
    }
}

TEST_F(ProgramDirectoryChoice, ADataDirectoryThatCannotBeMadeIsTheProgramsOwnError) {
    touch(path("home/.local/share")); // a file where a directory must go
    const QString dataDir = path("home/.local/share/Orvanta");
    try {
        ProgramDirectory::choose(path("bin"), false, dataDir);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Ошибка при создании каталога ") + dataDir);
    }
    EXPECT_THROW(ProgramDirectory::choose(path("bin"), false, QString()), AppError);
}

TEST_F(ProgramDirectoryChoice, InstalledMeansABinDirectoryWithTheProgramsShareBesideIt) {
    ASSERT_TRUE(QDir().mkpath(path("usr/bin")));
    ASSERT_TRUE(QDir().mkpath(path("opt/bin")));
    ASSERT_TRUE(QDir().mkpath(path("usr/share/orvanta/img")));
    ASSERT_TRUE(QDir().mkpath(path("terminal/share/orvanta")));
    EXPECT_TRUE(ProgramDirectory::isInstalled(path("usr/bin")));
    EXPECT_FALSE(ProgramDirectory::isInstalled(path("opt/bin")));  // no share/orvanta beside it
    EXPECT_FALSE(ProgramDirectory::isInstalled(path("terminal"))); // not a bin/ directory
}

TEST_F(ProgramDirectoryChoice, IconsComeFromTheProgramDirectoryFirstThenFromTheInstalledOnes) {
    const QString programDir = path("home/.local/share/Orvanta/");
    const QStringList dirs = IconLookup::directories(programDir, path("usr/bin"));
    ASSERT_EQ(dirs, QStringList({programDir + QStringLiteral("img/"), path("usr/share/orvanta/img/")}));
    touch(path("usr/share/orvanta/img/1101.ico"));
    touch(path("usr/share/orvanta/img/99.ico"));
    touch(programDir + QStringLiteral("img/99.ico"));

    EXPECT_EQ(IconLookup::find(dirs, QStringLiteral("1101.ico")), path("usr/share/orvanta/img/1101.ico"));
    EXPECT_EQ(IconLookup::find(dirs, QStringLiteral("99.ico")), programDir + QStringLiteral("img/99.ico"));
    EXPECT_EQ(IconLookup::find(dirs, QStringLiteral("1201.ico")), QString());
}

} // namespace

#include "core/Environment.h"
#include "core/OperatorCatalogue.h"
#include "core/Session.h"
#include "platform/AppError.h"
#include "support/FakeDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

// The operators every case draws from. 1201 has no icon of its own.
const char* const kOperatorIni = "[options]\n"
                                 "create=2026-12-01\n"
                                 "[1101]\n"
                                 "name=Мобил-1\n"
                                 "status=1\n"
                                 "[1102]\n"
                                 "name=Мобил-2\n"
                                 "status=0\n"
                                 "[1103]\n"
                                 "name=Скрытый\n"
                                 "status=999\n"
                                 "[1104]\n"
                                 "name=Пустой статус\n"
                                 "status=\n"
                                 "[1201]\n"
                                 "name=Без значка\n"
                                 "status=1\n";

QByteArray crlf(const char* utf8) {
    return TestFiles::cp(utf8).replace("\n", "\r\n");
}

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        session.setTerminalNumber(QStringLiteral("101"));
        session.setLoginTerminal(QStringLiteral("555")); // the catalogue follows terminalNumber
        QObject::connect(&catalogue, &OperatorCatalogue::changed, [this] { ++notified; });
        writeOperators(kOperatorIni);
        for (const char* art : {"1101", "1102", "1104", "99"})
            writeIcon(art);
    }

    QString programDir() const { return env.programDir(); }
    QString iconPath(const char* art) const { return programDir() + QStringLiteral("img/%1.ico").arg(art); }
    void writeIcon(const char* art) { TestFiles::write(iconPath(art), "icon"); }
    void writeOperators(const char* utf8) { TestFiles::write(programDir() + "operator.ini", crlf(utf8)); }
    void writeSettings(const char* utf8) { TestFiles::write(programDir() + "101/setting.ini", crlf(utf8)); }

    // Builds every button first from a layout of its own, so that a test can
    // tell which ones the next build touched: all shown, operator 9999 named
    // "old". The files the test wrote are put back.
    void markButtons() {
        const QString settingsPath = programDir() + "101/setting.ini";
        const QByteArray settings = TestFiles::read(settingsPath);
        std::string section = "[winSotka]\n";
        for (int n = 1; n <= 19; ++n)
            section += "b" + std::to_string(n) + "art=9999\nb" + std::to_string(n) + "oplata=1\n";
        writeOperators("[9999]\nname=old\nstatus=1\n");
        writeSettings(section.c_str());
        writeIcon("9999");
        catalogue.build();
        for (int n = 0; n < 19; ++n)
            ASSERT_EQ(catalogue.button(n).name, QStringLiteral("old"));
        writeOperators(kOperatorIni);
        TestFiles::write(settingsPath, settings);
        notified = 0;
    }
    // "&0 Мобил-1", as the button shows it.
    static QString caption(const OperatorButton& b) {
        return QLatin1Char('&') + b.accelerator + QLatin1Char(' ') + b.name;
    }
    // The icons of the buttons the last build showed, in order.
    QStringList shownIcons() const {
        QStringList icons;
        for (int n = 0; n < OperatorCatalogue::ButtonCount; ++n)
            if (catalogue.button(n).visible && catalogue.button(n).article != QLatin1String("9999"))
                icons << catalogue.button(n).iconPath;
        return icons;
    }

    QTemporaryDir dir;
    const Environment env{TestFiles::dirPath(dir)};
    Session session;
    FakeDialogs dialogs;
    OperatorCatalogue catalogue{env, session, dialogs};
    int notified = 0;
};

struct Shown {
    int button; // 1-based
    bool enabled;
    const char* caption;
    const char* hint;
    int image;
};

struct Case {
    const char* name;
    const char* section;             // body of [winSotka]
    std::vector<Shown> shown;        // every other button is hidden
    std::vector<const char*> images; // icon files by image index
};

const Case kCases[] = {
    {"first shown button after three hidden ones takes 0",
     "b1art=1101\nb1oplata=0\n" // oplata 0
     "b2art=1103\nb2oplata=1\n" // status 999
     "b3art=4444\nb3oplata=1\n" // no section in operator.ini
     "b4art=1101\nb4oplata=1\n",
     {{4, true, "&0 Мобил-1", "1101", 0}},
     {"1101"}},
    {"status 0 is greyed but lettered and imaged",
     "b1art=1102\nb1oplata=1\nb2art=1101\nb2oplata=1\n",
     {{1, false, "&0 Мобил-2", "1102", 0}, {2, true, "&1 Мобил-1", "1101", 1}},
     {"1102", "1101"}},
    {"button 19 alone", "b19art=1101\nb19oplata=5\n", {{19, true, "&0 Мобил-1", "1101", 0}}, {"1101"}},
    {"missing article looks up 0 and hides",
     "b1oplata=1\nb2art=1101\nb2oplata=1\n",
     {{2, true, "&0 Мобил-1", "1101", 0}},
     {"1101"}},
    {"oplata 00 hides like 0, any other integer shows",
     "b1art=1101\nb1oplata=00\nb2art=1101\nb2oplata=-1\nb3art=1101\nb3oplata= 0 \n",
     {{2, true, "&0 Мобил-1", "1101", 0}},
     {"1101"}},
    {"status present but empty neither hides nor greys",
     "b1art=1104\nb1oplata=1\n",
     {{1, true, "&0 Пустой статус", "1104", 0}},
     {"1104"}},
    {"operator without its icon gets the fallback",
     "b1art=1201\nb1oplata=1\nb2art=1101\nb2oplata=1\n",
     {{1, true, "&0 Без значка", "1201", 0}, {2, true, "&1 Мобил-1", "1101", 1}},
     {"99", "1101"}},
    {"section and keys match in any case",
     "B1ART=1101\nb1Oplata=1\n",
     {{1, true, "&0 Мобил-1", "1101", 0}},
     {"1101"}},
};

TEST_F(Catalogue, ButtonsOfACategory) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        writeSettings((std::string("[WINSOTKA]\n") + c.section).c_str());
        markButtons();
        dialogs.shown.clear();

        catalogue.selectCategory(0);

        EXPECT_TRUE(dialogs.shown.isEmpty());
        QStringList images;
        for (const char* art : c.images)
            images << iconPath(art);
        EXPECT_EQ(shownIcons(), images);
        for (int n = 1; n <= OperatorCatalogue::ButtonCount; ++n) {
            SCOPED_TRACE(n);
            const OperatorButton& b = catalogue.button(n - 1);
            const Shown* want = nullptr;
            for (const Shown& s : c.shown)
                if (s.button == n)
                    want = &s;
            if (!want) {
                EXPECT_FALSE(b.visible);
                continue;
            }
            EXPECT_TRUE(b.visible);
            EXPECT_EQ(b.enabled, want->enabled);
            EXPECT_EQ(caption(b), QString::fromUtf8(want->caption));
            EXPECT_EQ(b.article, QString::fromUtf8(want->hint));
            EXPECT_EQ(b.iconPath, images.value(want->image));
        }
    }
}

TEST_F(Catalogue, NineteenShownButtonsRunThroughTheAcceleratorLetters) {
    std::string section = "[winSotka]\n";
    for (int n = 1; n <= 19; ++n)
        section += "b" + std::to_string(n) + "art=1101\nb" + std::to_string(n) + "oplata=1\n";
    writeSettings(section.c_str());
    catalogue.build();

    const QString letters = QStringLiteral("0123456789ABCDEFJHK");
    ASSERT_EQ(shownIcons().size(), 19);
    for (int n = 0; n < 19; ++n)
        EXPECT_EQ(caption(catalogue.button(n)), QStringLiteral("&%1 Мобил-1").arg(letters[n])) << n;
}

TEST_F(Catalogue, TabChoosesSectionPaymentTypeAndGoodsGroup) {
    const char* const sections[] = {"winSotka", "winInternet", "winTelefon", "winKomunal",
                                    "winNalog", "winBank",     "winTovar"};
    // Each section puts a different operator on button 1.
    std::string settings;
    const char* const arts[] = {"1101", "1102", "1104", "1201", "1101", "1102", "1104"};
    for (int tab = 0; tab < 7; ++tab)
        settings += std::string("[") + sections[tab] + "]\nb1art=" + arts[tab] + "\nb1oplata=1\n";
    writeSettings(settings.c_str());

    for (int tab = 0; tab < 7; ++tab) {
        SCOPED_TRACE(tab);
        catalogue.selectCategory(tab);
        EXPECT_EQ(catalogue.categoryTab(), tab);
        EXPECT_EQ(catalogue.categorySection(), QString::fromLatin1(sections[tab]));
        EXPECT_EQ(catalogue.paymentType(), QStringLiteral("20"));
        EXPECT_EQ(catalogue.goodsGroupVisible(), tab == 6);
        EXPECT_EQ(catalogue.button(0).article, QString::fromLatin1(arts[tab]));
    }
}

TEST_F(Catalogue, RereadsBothFilesAtEveryBuild) {
    writeSettings("[winSotka]\nb1art=1101\nb1oplata=1\n");
    catalogue.build();
    EXPECT_EQ(caption(catalogue.button(0)), QStringLiteral("&0 Мобил-1"));

    // The server replaces both files; the next build shows the new catalogue.
    writeOperators("[1101]\nname=Новое имя\nstatus=1\n[2202]\nname=Второй\nstatus=1\n");
    writeSettings("[winSotka]\nb1art=1101\nb1oplata=1\nb2art=2202\nb2oplata=1\n");
    catalogue.build();
    EXPECT_EQ(caption(catalogue.button(0)), QStringLiteral("&0 Новое имя"));
    EXPECT_TRUE(catalogue.button(1).visible);
    EXPECT_EQ(caption(catalogue.button(1)), QStringLiteral("&1 Второй"));
    EXPECT_EQ(shownIcons(), QStringList({iconPath("1101"), iconPath("99")}));

    // No files at all: every button hidden, no box.
    QFile::remove(programDir() + "operator.ini");
    QFile::remove(programDir() + "101/setting.ini");
    catalogue.build();
    for (int n = 0; n < OperatorCatalogue::ButtonCount; ++n)
        EXPECT_FALSE(catalogue.button(n).visible);
    EXPECT_TRUE(shownIcons().isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(notified, 3);
}

TEST_F(Catalogue, NonIntegerOplataStopsAtThatButton) {
    writeSettings("[winSotka]\nb1art=1101\nb1oplata=1\nb2art=1102\nb2oplata=1\n"
                  "b3art=1101\nb3oplata=1x\nb4art=1101\nb4oplata=1\n");
    markButtons();
    try {
        catalogue.build();
        FAIL() << "no conversion error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("'1x' is not a valid integer value"));
    }
    EXPECT_EQ(caption(catalogue.button(0)), QStringLiteral("&0 Мобил-1"));
    EXPECT_EQ(caption(catalogue.button(1)), QStringLiteral("&1 Мобил-2"));
    EXPECT_EQ(shownIcons(), QStringList({iconPath("1101"), iconPath("1102")}));
    for (int n = 2; n < 19; ++n)
        EXPECT_EQ(catalogue.button(n).name, QStringLiteral("old")) << n;
    EXPECT_EQ(notified, 1); // the buttons built so far are shown
}

TEST_F(Catalogue, MissingIconsShowTheBoxAndStop) {
    QFile::remove(iconPath("99"));
    writeSettings("[winSotka]\nb1art=1101\nb1oplata=1\nb2art=1103\nb2oplata=1\n"
                  "b3art=1201\nb3oplata=1\nb4art=1101\nb4oplata=1\n");
    markButtons();
    catalogue.build();

    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Box);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Программа полностью не укомплектована!"));
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Загрузка модулей"));
    EXPECT_EQ(dialogs.last().icon, Dialogs::Icon::Warning);

    EXPECT_TRUE(catalogue.button(0).visible);
    EXPECT_EQ(catalogue.button(0).article, QStringLiteral("1101"));
    EXPECT_FALSE(catalogue.button(1).visible);
    EXPECT_EQ(shownIcons(), QStringList({iconPath("1101")}));
    // Button 3 was not laid out; button 4 onwards kept the last build's state.
    EXPECT_EQ(catalogue.button(2).article, QStringLiteral("9999"));
    EXPECT_EQ(catalogue.button(2).iconPath, iconPath("9999"));
    for (int n = 3; n < 19; ++n) {
        EXPECT_TRUE(catalogue.button(n).visible) << n;
        EXPECT_EQ(catalogue.button(n).name, QStringLiteral("old")) << n;
    }
    EXPECT_EQ(notified, 1);
}

TEST(CatalogueIcons, EveryDemoOperatorAndTheFallbackHaveAnIcon) {
    const QString img = QDir::cleanPath(QStringLiteral(ORVANTA_TEST_DATA "/../../../img"));
    for (const char* art : {"1101", "1102", "1103", "1104", "1201", "1202", "1301", "1302", "1401", "1402",
                            "1403", "1501", "1601", "1602", "1701", "99"}) {
        SCOPED_TRACE(art);
        QImageReader reader(img + QStringLiteral("/%1.ico").arg(art));
        ASSERT_EQ(reader.imageCount(), 3) << qPrintable(reader.errorString());
        const int sizes[] = {16, 32, 48};
        for (int i = 0; i < 3; ++i) {
            const int size = sizes[i];
            ASSERT_TRUE(reader.jumpToImage(i));
            const QImage image = reader.read();
            EXPECT_EQ(image.size(), QSize(size, size));
            EXPECT_TRUE(image.hasAlphaChannel());
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0); // rounded corners stay see-through
            EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
        }
    }
}

} // namespace

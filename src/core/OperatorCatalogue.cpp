#include "core/OperatorCatalogue.h"

#include "core/Environment.h"
#include "core/IniFile.h"
#include "core/Session.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"

#include <iterator>

namespace {

// Category section of setting.ini by tab index of TabControl1.
const char* const kSections[] = {"winSotka", "winInternet", "winTelefon", "winKomunal",
                                 "winNalog", "winBank",     "winTovar"};
constexpr int kGoodsTab = 6;
const char* const kCaptions[] = {"Сотовая связь",
                                 "IP телефония Интернет",
                                 "Фиксированная связь",
                                 "Комунальные услуги",
                                 "Оплата налогов",
                                 "Оплата счетов",
                                 "Товары"};
static_assert(std::size(kSections) == CategoryCount && std::size(kCaptions) == CategoryCount);

// Accelerators of the shown buttons, in order. After "F" it runs J, H, K, L:
// that is the set the buttons have always had, not a slip for G, H, I, J.
const QString kAccelerators = QStringLiteral("0123456789ABCDEFJHKL");

} // namespace

QString categoryCaption(int tab) {
    return tab >= 0 && tab < CategoryCount ? QString::fromUtf8(kCaptions[tab]) : QString();
}

OperatorCatalogue::OperatorCatalogue(const Environment& env, const Session& session, Dialogs& dialogs,
                                     QObject* parent)
    : QObject(parent), env_(env), session_(session), dialogs_(dialogs) {}

void OperatorCatalogue::selectCategory(int tab) {
    categoryTab_ = tab;
    build();
}

void OperatorCatalogue::reloadStamp() {
    stamp_ = IniFile(env_.operatorIniPath()).readString(QStringLiteral("options"), QStringLiteral("create"),
                                                        QString());
}

void OperatorCatalogue::build() {
    try {
        layOut();
    } catch (...) {
        // The buttons built before the failure are shown all the same.
        emit changed();
        throw;
    }
    emit changed();
}

void OperatorCatalogue::layOut() {
    goodsGroupVisible_ = false;
    const int tab = categoryTab_;
    if (tab >= 0 && tab < int(std::size(kSections))) {
        categorySection_ = QString::fromLatin1(kSections[tab]);
        paymentType_ = QStringLiteral("20");
        goodsGroupVisible_ = tab == kGoodsTab;
    }

    const IniFile operators(env_.operatorIniPath());
    const IniFile settings(env_.settingsPath(session_.terminalNumber()));
    const QString& section = categorySection_;

    int shown = 0;
    for (int n = 1; n <= ButtonCount; ++n) {
        const QString art =
            settings.readString(section, QStringLiteral("b%1art").arg(n), QStringLiteral("0"));
        const QString status = operators.readString(art, QStringLiteral("status"), QStringLiteral("999"));
        // Through an integer and back, so "00" and " 0" hide the button as "0" does.
        const QString oplata = QString::number(Convert::strToInt(
            settings.readString(section, QStringLiteral("b%1oplata").arg(n), QStringLiteral("0"))));

        OperatorButton& button = buttons_[size_t(n - 1)];
        button.name = operators.readString(art, QStringLiteral("name"), QString());
        button.accelerator = kAccelerators.at(shown);

        if (oplata == QLatin1String("0") || status == QLatin1String("999")) {
            button.visible = false;
            continue;
        }

        QString icon = env_.findIcon(art);
        if (icon.isEmpty())
            icon = env_.findIcon(QStringLiteral("99"));
        if (icon.isEmpty()) {
            dialogs_.box(QStringLiteral("Программа полностью не укомплектована!"),
                         QStringLiteral("Загрузка модулей"), Dialogs::Icon::Warning);
            return;
        }

        button.enabled = status != QLatin1String("0");
        button.visible = true;
        button.article = art;
        button.iconPath = icon;
        ++shown;
    }
}

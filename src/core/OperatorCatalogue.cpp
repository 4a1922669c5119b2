#include "core/OperatorCatalogue.h"

#include "core/AppContext.h"
#include "core/MainWindowModel.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "platform/IconLookup.h"

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

void build(AppContext& ctx, MainWindowModel& model) {
    model.goodsGroupVisible = false;
    const int tab = model.categoryTab;
    if (tab >= 0 && tab < int(std::size(kSections))) {
        ctx.categorySection = QString::fromLatin1(kSections[tab]);
        ctx.paymentType = QStringLiteral("20");
        model.goodsGroupVisible = tab == kGoodsTab;
    }

    ctx.operatorIni = IniFile(ctx.programDir + QStringLiteral("operator.ini"));
    ctx.terminalSettingsIni = IniFile(ctx.settingsPath(ctx.terminalNumber));
    const IniFile& operators = ctx.operatorIni;
    const IniFile& settings = ctx.terminalSettingsIni;
    const QString& section = ctx.categorySection;

    model.operatorIcons.clear();
    int shown = 0;
    for (int n = 1; n <= MainWindowModel::OperatorButtonCount; ++n) {
        const QString art =
            settings.readString(section, QStringLiteral("b%1art").arg(n), QStringLiteral("0"));
        const QString status = operators.readString(art, QStringLiteral("status"), QStringLiteral("999"));
        // Through an integer and back, so "00" and " 0" hide the button as "0" does.
        const QString oplata = QString::number(Convert::strToInt(
            settings.readString(section, QStringLiteral("b%1oplata").arg(n), QStringLiteral("0"))));

        OperatorButtonState& button = model.operatorButtons[size_t(n - 1)];
        const QString name = operators.readString(art, QStringLiteral("name"), QString());
        button.caption = QLatin1Char('&') + kAccelerators.at(shown) + QLatin1Char(' ') + name;

        if (oplata == QLatin1String("0") || status == QLatin1String("999")) {
            button.visible = false;
            continue;
        }

        QString icon = IconLookup::findIcon(ctx.programDir, art + QStringLiteral(".ico"));
        if (icon.isEmpty())
            icon = IconLookup::findIcon(ctx.programDir, QStringLiteral("99.ico"));
        if (icon.isEmpty()) {
            ctx.dialogs->box(QStringLiteral("Программа полностью не укомплектована!"),
                             QStringLiteral("Загрузка модулей"), Dialogs::Icon::Warning);
            return;
        }

        button.enabled = status != QLatin1String("0");
        button.visible = true;
        model.operatorIcons.append(icon);
        button.hint = art;
        button.imageIndex = shown;
        ++shown;
    }
}

} // namespace

QString categoryCaption(int tab) {
    return tab >= 0 && tab < CategoryCount ? QString::fromUtf8(kCaptions[tab]) : QString();
}

void buildCatalogue(AppContext& ctx, MainWindowModel& model) {
    try {
        build(ctx, model);
    } catch (...) {
        // The buttons built before the failure are shown all the same.
        model.notify();
        throw;
    }
    model.notify();
}

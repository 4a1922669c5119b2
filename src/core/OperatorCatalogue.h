#pragma once

#include <QString>

struct AppContext;
class MainWindowModel;

constexpr int CategoryCount = 7;

// Caption of the category tab of TabControl1 at this index ("Сотовая связь"...),
// empty outside 0..6.
QString categoryCaption(int tab);

// Lays out the operator buttons of the category tab selected in the model
// (model.categoryTab) from the terminal directory's setting.ini (which operator
// stands on which button) and operator.ini (whether it is shown, enabled, and
// its name). Both files are opened afresh, as the server may have replaced them.
//
// Sets ctx.categorySection and ctx.paymentType for the tab, the goods group's
// visibility, model.operatorIcons (icon file paths) and model.operatorButtons.
//
// Two failures stop the build part way, leaving the buttons after the one being
// built as the previous build left them: a "b<N>oplata" that is not an integer
// throws the conversion error (AppError); an operator without its icon and
// without the fallback icon shows the incomplete-installation box and returns.
// The model is notified in every case.
void buildCatalogue(AppContext& ctx, MainWindowModel& model);

#pragma once

#include <QObject>
#include <QString>

#include <array>

class Dialogs;
class Environment;
class Session;

constexpr int CategoryCount = 7;

// Caption of the category tab at this index ("Сотовая связь"...), empty outside 0..6.
QString categoryCaption(int tab);

// One operator button of the category toolbar as the last build left it.
struct OperatorButton {
    bool visible = false;
    bool enabled = true;
    QChar accelerator;  // the button's keyboard letter
    QString name;       // the operator's name
    QString article;    // the operator's section in operator.ini and setting.ini
    QString iconPath;   // its icon file, or the fallback icon
};

// The operator buttons of the selected category tab, laid out from the terminal
// directory's setting.ini (which operator stands on which button) and
// operator.ini (whether it is shown, enabled, and its name). Both files are
// opened afresh at every build, as the server may have replaced them. It also
// keeps the catalogue's stamp, which the login sends.
class OperatorCatalogue : public QObject {
    Q_OBJECT
public:
    static constexpr int ButtonCount = 19;

    OperatorCatalogue(const Environment& env, const Session& session, Dialogs& dialogs,
                      QObject* parent = nullptr);

    int categoryTab() const { return categoryTab_; }
    // Another tab: its buttons are built.
    void selectCategory(int tab);

    // Rebuilds the buttons of the selected tab. Two failures stop the build part
    // way, leaving the buttons after the one being built as the previous build
    // left them: a "b<N>oplata" that is not an integer throws the conversion
    // error (AppError); an operator without its icon and without the fallback
    // icon shows the incomplete-installation box and returns. `changed` is
    // emitted in every case.
    void build();

    const OperatorButton& button(int index) const { return buttons_[size_t(index)]; }
    // The section of setting.ini the tab reads, and the payment type of the
    // payments made from it.
    const QString& categorySection() const { return categorySection_; }
    const QString& paymentType() const { return paymentType_; }
    bool goodsGroupVisible() const { return goodsGroupVisible_; }

    // operator.ini's "create" stamp, read again from the file.
    void reloadStamp();
    const QString& stamp() const { return stamp_; }

signals:
    void changed();

private:
    void layOut();

    const Environment& env_;
    const Session& session_;
    Dialogs& dialogs_;
    int categoryTab_ = 0;
    std::array<OperatorButton, ButtonCount> buttons_;
    QString categorySection_;
    QString paymentType_;
    bool goodsGroupVisible_ = false;
    QString stamp_;
};

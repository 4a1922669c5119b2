#pragma once

#include "platform/AppError.h"
#include "platform/ReceiptPrinter.h"

#include <QList>
#include <QStringList>

// Records what is drawn: every call in order, and the texts with their
// positions. The setup dialog answers `accept`; `installed` are the system's
// printers; `failAt` names a call that throws, as a printer that has gone away
// would.
class FakePrinter : public ReceiptPrinter {
public:
    struct Text {
        int x;
        int y;
        QString text;
    };

    bool setupDialog() override {
        calls << QStringLiteral("setup");
        return accept;
    }
    void suggestFile(const QString& path) override { suggested << path; }
    QStringList printerNames() const override { return installed; }
    bool usePrinter(const QString& name) override {
        calls << QStringLiteral("use ") + name;
        return installed.contains(name);
    }
    void useFile(const QString& path) override { calls << QStringLiteral("file ") + path; }
    void preview(const DrawPage& draw) override {
        calls << QStringLiteral("preview");
        draw(*this);
    }
    void setFont(const QString& face, int pointSize) override {
        calls << QStringLiteral("font %1 %2").arg(face).arg(pointSize);
    }
    void setPageSize(int width, int height) override {
        calls << QStringLiteral("page %1x%2").arg(width).arg(height);
    }
    void beginDocument() override { call(QStringLiteral("begin")); }
    void textOut(int x, int y, const QString& text) override {
        call(QStringLiteral("text"));
        texts.append({x, y, text});
    }
    void newPage() override { call(QStringLiteral("newpage")); }
    void endDocument() override { call(QStringLiteral("end")); }

    QStringList lines() const {
        QStringList out;
        for (const Text& t : texts)
            out << t.text;
        return out;
    }

    bool accept = true;
    QStringList installed;
    QStringList suggested; // the files offered to the dialog
    QString failAt;
    QStringList calls;
    QList<Text> texts;

private:
    void call(const QString& name) {
        calls << name;
        if (name == failAt)
            throw AppError(QStringLiteral("Принтер недоступен"));
    }
};

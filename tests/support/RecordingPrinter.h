#pragma once

#include "print/PrinterDevice.h"

#include <QRegularExpression>
#include <QStringList>

namespace corv::test {

// A printer that records what the engine asks of it: one event per line
// ("font Courier New 12 B", "text 2 abc", "page", "end", ...).
class RecordingPrinter : public PrinterDevice {
public:
    QList<PrinterInfo> installed{{QStringLiteral("Laser Ufficio"), QStringLiteral("PCL6"), QStringLiteral("LPT1:"), QSizeF(8.0, 11.0), 1},
                                 {QStringLiteral("Generic Text"), QStringLiteral("GENERIC"), QStringLiteral("FILE:"), QSizeF(8.27, 11.69), 1}};
    QStringList events;
    double heightOfText = 1.5; // in the units of the current scale
    int pages = 0;             // pages printed in all documents
    int documents = 0;
    QString output; // the file a document is written to; empty: a printer

    QList<PrinterInfo> printers() override { return installed; }
    QString defaultPrinter() override { return QStringLiteral("Laser Ufficio,PCL6,LPT1:"); }
    void select(const PrinterInfo& p) override
    {
        current_ = p;
        events << QStringLiteral("select ") + p.device;
    }
    QString outputFileFor(const QString&) override { return output; }
    void beginJob() override { events << QStringLiteral("job"); }
    QString endJob() override
    {
        events << QStringLiteral("endjob");
        return {};
    }
    void setPaperA4() override { events << QStringLiteral("a4"); }
    void setCopies(int n) override { events << QStringLiteral("copies %1").arg(n); }
    void setLandscape(bool on) override
    {
        landscape_ = on;
        events << QStringLiteral("landscape %1").arg(on ? 1 : 0);
    }
    void setDraftQuality() override { events << QStringLiteral("draft"); }
    void setFont(const QString& name, double points, bool bold, bool italic, bool underline) override
    {
        points_ = points;
        events << QStringLiteral("font %1 %2%3%4%5").arg(name).arg(points).arg(bold ? " B" : "").arg(italic ? " I" : "").arg(underline ? " U" : "");
    }
    QSizeF pageInches() override { return landscape_ ? current_.pageInches.transposed() : current_.pageInches; }
    void setScale(double wide, double high) override
    {
        wide_ = wide;
        events << QStringLiteral("scale %1 %2").arg(wide).arg(high);
    }
    void moveTo(double, double y) override { y_ = y; }
    void printText(const QString& text) override
    {
        if (!open_) {
            open_ = true;
            ++documents;
            ++pages;
        }
        events << QStringLiteral("text %1 %2").arg(y_).arg(text);
    }
    double textHeight(const QString&) override { return heightOfText; }
    // A fixed-pitch font: a character is 0.6 of the size wide.
    double textWidth(const QString& text) override { return text.size() * points_ * 0.6 / 72 * wide_ / pageInches().width(); }
    void newPage() override
    {
        ++pages;
        events << QStringLiteral("page");
    }
    QString endDocument() override
    {
        open_ = false;
        events << QStringLiteral("end");
        return {};
    }
    // The events of one kind.
    QStringList only(const QString& prefix) const { return events.filter(QRegularExpression(QLatin1Char('^') + prefix)); }

private:
    PrinterInfo current_ = installed.first();
    bool landscape_ = false;
    bool open_ = false;
    double y_ = 0;
    double points_ = 12;
    double wide_ = 96;
};

} // namespace corv::test

#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <utility>

namespace corv {

class AppContext;

// Which Ardea company the program works on, and the lookups on it.
class CompanyOpening {
public:
    explicit CompanyOpening(AppContext& ctx);

    // Shows the company chooser modally (set by the windows; tests script it).
    std::function<void()> showChooser;

    // AziOpen: opens the company record of `code` from the system catalog.
    // An empty code offers the company of the last Ardea login; the caller
    // sees the code taken. False, with a message, when the company is not found
    // exactly once.
    bool AziOpen(QString& code);

    // AziARDEA: the company to open (registry, settings) and opens it.
    // Empty, with a message, when the chooser would be needed and nobody can
    // answer it.
    QString AziARDEA(bool readOnly);
    // The company chooser cannot be shown to anybody: the message says so.
    bool chooserUnavailable();

    // InitARProc: opens the company and fills the folders and names the
    // commands use; each step names itself in the company's step label.
    // False when the program must end: no company to open and nobody to
    // choose one (unattended runs).
    bool InitARProc();

    // One chooser row per company of the system catalog.
    QStringList chooserRows();
    // Activating a chooser row: two confirmations, then the company is
    // written to the settings and opened. False when declined or not opened.
    bool activate(const QString& code);

    // The newest release of CO_VERSIONE / CA_VERSIONE in a database, read on a
    // connection of its own; empty when none.
    QString companyDataRelease(const QString& database);
    QString sharedDataRelease(const QString& database);

private:
    QString releaseOf(const QString& database, const char* table);

    AppContext& ctx_;
};

} // namespace corv

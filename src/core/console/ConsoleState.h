#pragma once

#include "command/ConsoleLists.h"
#include "util/MaskedDate.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace corv {

class AppContext;
class IniFile;


// The console's shared selection state, read by every command: the Corvina
// company rows and the selected one, the document date range, the source
// selector, the Nembo folder and companies, the tab. The window shows it.
struct ConsoleState {
    enum Tab { ArdeaTab = 0, NemboTab = 1, CorvinaTab = 2, TabCount = 3 };

    CorvinaCompanies corvinaCompanies; // newest year first
    int corvinaRow = -1; // the selected one, -1 none
    QString corvinaRelease;
    QString dateFrom = kEmptyDate;
    QString dateTo = kEmptyDate;
    int source = 0; // 0 "Dati da Ardea", 1 "Dati da Nembo"
    QString nemboFolder;
    QStringList nemboCompanies;
    int nemboRow = 0; // selected legacy company, -1 none
    int tab = CorvinaTab;
    bool corvinaEnabled = true;
    // What the commands filled: each tab's reference lists, the result list,
    // the article chosen in the lookup.
    std::array<ReferenceLists, TabCount> lists;
    ResultList results;
    CompactLines sorted; // the sorting aid of the commands that group lines
    QString article;
    QString articleName;
    // "csv" or "json": the commands that can also write their rows for a
    // program do (unattended runs); empty: the reports alone.
    QString exportFormat;
    // Called when a command changes the result list while it runs.
    std::function<void()> resultsChanged;

    void setResults(ResultList list)
    {
        results = std::move(list);
        if (resultsChanged)
            resultsChanged();
    }

    // The selected legacy company number; empty when none.
    QString nemboCompany() const { return nemboRow >= 0 && nemboRow < nemboCompanies.size() ? nemboCompanies[nemboRow] : QString(); }
    // The selected Corvina company (year 0: none), and its fields.
    CorvinaCompany selectedCorvina() const;
    QString corvinaCompany() const { return selectedCorvina().code; }
    int corvinaYear() const { return selectedCorvina().year; }
    QString corvinaGroup() const { return selectedCorvina().group; }
    // The selected company as the company list shows it; empty when none.
    QString selectedCorvinaRow() const;
    // The company list as the window shows it, one row per company.
    QStringList corvinaRowTexts() const;
    // The date range as a command takes it (an invalid date: no bound).
    QDate fromDate() const { return boundDate(dateFrom); }
    QDate toDate() const { return boundDate(dateTo); }
};

inline const QStringList kSources = {QStringLiteral("Dati da Ardea"), QStringLiteral("Dati da Nembo")};




// Restores from TLX_CORV.INI what the opening steps read after the lists
// are filled: dates, Last_Cv, Source and LastTab (only when within range).
void restoreConsoleSettings(ConsoleState& state, const IniFile& settings);
// Writes them back when the console closes; false when the file could not be written.
bool saveConsoleSettings(const ConsoleState& state, IniFile& settings);

// Fills the Corvina company rows and release from the Corvina connection;
// false (and `error` set) when the companies cannot be read.
bool loadCorvinaCompanies(AppContext& ctx, ConsoleState& state, QString* error = nullptr);

// The import-date label of the selected Corvina company.
QString importDateLabel(AppContext& ctx, const ConsoleState& state);
// The right-click on the label: asks the two new dates and stores them.
void changeImportDates(AppContext& ctx, const ConsoleState& state);

} // namespace corv

#pragma once

#include "util/CompactLines.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace corv {

class AppContext;
class IniFile;

inline const QString kEmptyDate = QStringLiteral("__/__/____");
// The console's caption, also the title of some of its messages.
inline const QString kConsoleTitle = QStringLiteral("corvutil - Controlli IVA Ardea / Nembo / Corvina");

// The three reference lists of a source, one fixed-width row per record.
struct ReferenceLists {
    QStringList vatCodes;
    QStringList reasons;
    QStringList subjects; // customers and suppliers
};

// The console's result list: its heading and its lines.
struct ResultList {
    QString heading;
    CompactLines lines;
};

// The console's shared selection state, read by every command: the Corvina
// company rows and the selected one, the document date range, the source
// selector, the Nembo folder and companies, the tab. The window shows it.
struct ConsoleState {
    enum Tab { ArdeaTab = 0, NemboTab = 1, CorvinaTab = 2, TabCount = 3 };

    QStringList corvinaRows;
    int corvinaRow = -1; // selected row, -1 none
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
    QString selectedCorvinaRow() const { return corvinaRow >= 0 && corvinaRow < corvinaRows.size() ? corvinaRows[corvinaRow] : QString(); }
    // Fields of the selected row: company code, VAT year, group code.
    QString corvinaCompany() const;
    int corvinaYear() const;
    QString corvinaGroup() const;
};

inline const QStringList kSources = {QStringLiteral("Dati da Ardea"), QStringLiteral("Dati da Nembo")};

// A Corvina company row: code (6), year (4), name (80), group (18), each followed by "|".
QString corvinaCompanyRow(const QString& code, const QString& year, const QString& name, const QString& group);


// A date field's date; nullopt for the empty mask, an invalid QDate for text that is no date.
std::optional<QDate> maskedDate(const QString& text);
// The range is coherent when either field is the empty mask, or both are
// dates and the final one is not before the initial one.
bool dateRangeCoherent(const QString& from, const QString& to);

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

#pragma once

#include "command/ConsoleLists.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace corv {

// Figures a window would rather draw than list: bars by category, one set of
// values per series (each as long as the categories).
struct ChartData {
    QString title;
    QStringList categories;
    QStringList seriesNames;
    QList<QList<double>> series;
};

// How a command ended.
struct CommandResult {
    enum class Outcome {
        Done,     // it ran to its end
        Declined, // its guard or the user's first answer stopped it before it began
        Stopped,  // the user stopped it; what it saved stays saved
        Failed,   // an error, told to the user
    };
    Outcome outcome = Outcome::Done;
    // A report to hand to the user (the viewer); empty when none.
    QString reportPath;
    // Reports written and left where they are, not handed to the viewer.
    QStringList writtenReports;
    // The report's rows for a program (unattended runs write them as CSV or
    // JSON beside the report): a name per column, the fields of each row.
    QStringList dataColumns;
    QList<QStringList> dataRows;
    QString dataName; // their file's name in the data folder when no report is beside them
    // What the command found to point out (differences, rows to mend); the
    // command line's exit status tells it to unattended runs.
    int findings = 0;
    // What the command hands back for the console to show: the reference
    // lists of its source, the result list, the lines sorted by key.
    std::optional<ReferenceLists> lists;
    std::optional<ResultList> results;
    std::optional<CompactLines> sorted;
    // A chart beside the report, for the window to show.
    std::optional<ChartData> chart;

    CommandResult() = default;
    CommandResult(Outcome how, QString report = {}) : outcome(how), reportPath(std::move(report)) {}
};

} // namespace corv

#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace corv {

class AppContext;

// The general fiscal code and VAT number check over every customer and
// supplier of the open Ardea company: one report line per finding in
// "PICF_GenAR_<company>.log", and the corrections its rules allow, saved row by
// row with optimistic locking.
struct GeneralCheckInput {
    QString companyCode;
    // The console's initial document date field ("dd/mm/yyyy" or the empty
    // mask): its year is the year of the journal presence check.
    QString documentDate;
    // Empties the console's result list when the run starts.
    std::function<void()> clearResults;
};

// One line of the report, with the customer or supplier it is about.
struct GeneralCheckFinding {
    QString type; // "C" or "F"
    QString code;
    QString name;
    QString text; // the report's line
};

struct GeneralCheckResult {
    bool ran = false;       // false when the user declined the first question
    bool completed = false; // false when a database error ended the run, or the user stopped it
    bool stopped = false;   // the user stopped it; what was saved stays saved
    int findings = 0;
    QString reportPath;
    QList<GeneralCheckFinding> findingRows; // the report's findings, in its order
};

GeneralCheckResult runGeneralCheck(AppContext& ctx, const GeneralCheckInput& input);

} // namespace corv

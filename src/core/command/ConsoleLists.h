#pragma once

#include "platform/CorvinaCompany.h"
#include "util/CompactLines.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace corv {

// The console's caption, also the title of some of its messages.
inline const QString kConsoleTitle = QStringLiteral("corvutil - Controlli IVA Ardea / Nembo / Corvina");

// The three reference lists of a source, one fixed-width row per record.
struct ReferenceLists {
    QStringList vatCodes;
    QStringList reasons;
    QStringList subjects; // customers and suppliers
    // The names of their columns, in the layout of the rows ("Cod|Descrizione|...|").
    QString vatCodesHeading, reasonsHeading, subjectsHeading;
    bool read() const { return !vatCodes.isEmpty() && !reasons.isEmpty() && !subjects.isEmpty(); }
};

// The console's result list: its heading and its lines.
struct ResultList {
    QString heading;
    CompactLines lines;
};

// Where a command shows its result list while it works (the heading before
// the first row, the rows read when it is stopped); may be empty.
using ResultsSink = std::function<void(const ResultList&)>;

// A Corvina company as the company lists show it and the settings keep it:
// code (6), year (4), name (80), group (18), each followed by "|".
QString corvinaCompanyRow(const CorvinaCompany& company);

} // namespace corv

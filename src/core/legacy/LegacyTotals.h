#pragma once

#include "command/CommandResult.h"
#include "command/ConsoleLists.h"
#include "journal/SubjectCode.h"
#include "platform/ExportFiles.h"
#include "util/Amount.h"

#include <QDate>
#include <QHash>
#include <optional>

namespace corv {

class AppContext;

namespace legacy {

// Journal records of kind 1 and 2 (field 8, compared as text) are totalled.
bool journalRecordTaken(const ExportRecord& record);
// The type letter: field 23 "1" a customer ("C"), anything else a supplier ("F").
QChar journalType(const ExportRecord& record);
// The key as the report prints it: field 24 as every source keys it (see
// subjectCode: numeric by value, zero-filled to 6, never cut; other codes
// zero-filled to 6), then the letter ("000042C").
QString journalKey(const ExportRecord& record);
// The report's line for an amount that is no number.
QString unreadableAmountLine(qint64 line, const QString& what, const QString& field, const QString& key);
// An amount field (decimal comma); empty is zero, nullopt when it is no number.
std::optional<Amount> journalAmount(QByteArrayView field);
// A customer/supplier code as both sides of a lookup spell it: blanks and
// leading zeros dropped ("000123", "   123" and "123" are one code).
QString normalizedCode(QStringView code);

// The names of the customer/supplier rows of the Nembo list, by normalized
// code and type letter.
QHash<QString, QString> subjectNames(const QStringList& subjectRows);

// The journal totalled per customer/supplier: the report's lines (from its
// first line), customers then suppliers, each by code. Only the sums of each
// key are kept while the file is read, so a journal of millions of lines
// takes the memory of its customers and suppliers, not of its lines.
struct JournalTotals {
    bool found = false;   // the journal file could be opened
    QString openError;    // why it could not
    bool readFailed = false;
    bool stopped = false; // the user stopped the reading: nothing is written
    QStringList report;
    QList<QStringList> subjectRows; // the report's per-key totals as data
    int subjects = 0;
    int badAmounts = 0;   // amounts that are no number: reported, not summed
};
JournalTotals totalJournal(AppContext& ctx, const QString& folder, const QString& company, const ReferenceLists& lists);

// The journal's totals per comparison key (records with a registration
// date, field 4, within the period); the names from the customer and
// supplier files. `rows` counts the records summed; amounts that are no
// number are left out and listed in the totals' unreadable lines. False, with
// the reason in Italian, when the journal cannot be read.
bool sumJournal(const QString& folder, const QString& company, const QDate& from, const QDate& to, SourceTotals& totals, int* rows = nullptr,
                QString* failure = nullptr);
// A registration date as the export writes it (dd/mm/yyyy, yyyymmdd or yyyy-mm-dd).
QDate journalDate(QStringView text);

} // namespace legacy

// "Leggi dati Prima Nota IVA" of the Nembo tab: the report "PN_nb_<company>.LOG";
// the sorted list is emptied (the records are summed, not listed). Needs the company's lists read first.
struct NemboJournalInput {
    QString folder;
    QString company;
    ReferenceLists references;
};
CommandResult totalNemboJournal(AppContext& ctx, const NemboJournalInput& input);

} // namespace corv

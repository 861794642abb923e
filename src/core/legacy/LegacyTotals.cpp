#include "legacy/LegacyTotals.h"

#include "journal/SubjectCode.h"
#include "journal/SubjectTotals.h"
#include "platform/TextFile.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/FixedLine.h"
#include "report/ReportFile.h"
#include "util/Feedback.h"
#include "util/TextUtil.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <vector>

namespace corv {

namespace legacy {

namespace {

// One taken journal record, for the sort and the walk: 32 bytes, a million
// of them stay small.
struct Entry {
    quint32 code; // its place in the journal's codes
    char type;    // 'C' or 'F'
    quint32 line; // its line in the unsorted list
    Amount taxable;
    Amount vat;
};

// The journal's customer/supplier codes, each once, as the key prints them:
// numeric codes by value (see subjectCode), the others zero-filled to 6;
// never cut, so that two codes are never merged.
class JournalCodes {
public:
    quint32 idOf(QByteArrayView field)
    {
        field = field.trimmed();
        if (!codes_.empty() && field == lastField_)
            return lastId_; // the journal's rows come grouped by customer
        lastField_ = field.toByteArray();
        QByteArray code = subjectCode(field);
        if (code.size() < 6)
            code = code.rightJustified(6, '0');
        const auto found = ids_.constFind(code);
        lastId_ = found != ids_.constEnd() ? *found : add(code);
        return lastId_;
    }
    const QByteArray& code(quint32 id) const { return codes_[id]; }
    // The rank of every code in the report's order (numeric codes by value).
    std::vector<quint32> ranks() const
    {
        std::vector<quint32> order(codes_.size());
        for (quint32 i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [this](quint32 a, quint32 b) {
            return subjectCodeLess(QString::fromLatin1(codes_[a]), QString::fromLatin1(codes_[b]));
        });
        std::vector<quint32> rank(codes_.size());
        for (quint32 i = 0; i < order.size(); ++i)
            rank[order[i]] = i;
        return rank;
    }

private:
    quint32 add(const QByteArray& code)
    {
        const auto id = static_cast<quint32>(codes_.size());
        codes_.push_back(code);
        ids_.insert(code, id);
        return id;
    }

    std::vector<QByteArray> codes_;
    QHash<QByteArray, quint32> ids_;
    QByteArray lastField_;
    quint32 lastId_ = 0;
};

QString codeOfRow(const QString& row)
{
    // "   123C|name|...": the code right-aligned in 6, then the letter.
    return row.left(6);
}

// The text padded with blanks or cut to `width` characters, as UTF-8.
QByteArray paddedUtf8(const QString& text, int width) { return utl::PadRight(text, width).toUtf8(); }

// An amount right-aligned in 12, as the lists write it; a field that is no
// number is written as it is.
void appendAmountColumn(QByteArray& line, const std::optional<Amount>& amount, QByteArrayView field, bool ascii)
{
    QString column;
    if (amount)
        utl::appendAmount(column, *amount, 2, 12);
    else
        FixedLine::appendRightAligned(column, ascii ? QString::fromLatin1(field) : decodeText(field.toByteArray()), 12);
    line += column.toUtf8();
}

} // namespace

QString unreadableAmountLine(qint64 line, const QString& what, const QString& field, const QString& key)
{
    return QStringLiteral("*** Riga %1 : %2 NON numerico \"%3\" (%4) - non sommato").arg(line).arg(what, field, key);
}

bool journalRecordTaken(const ExportRecord& record)
{
    const QByteArrayView kind = record.bytes(8);
    return kind > QByteArrayView("0") && kind < QByteArrayView("3");
}

QChar journalType(const ExportRecord& record) { return record.bytes(23) == QByteArrayView("1") ? QLatin1Char('C') : QLatin1Char('F'); }

QString journalKey(const ExportRecord& record)
{
    return subjectCode(record.field(24)).rightJustified(6, QLatin1Char('0')) + journalType(record);
}

std::optional<Amount> journalAmount(QByteArrayView field)
{
    if (field.trimmed().isEmpty())
        return Amount();
    return Amount::parse(field); // a decimal comma or point
}

QString normalizedCode(QStringView code)
{
    QStringView trimmed = code.trimmed();
    while (trimmed.size() > 1 && trimmed.front() == QLatin1Char('0'))
        trimmed = trimmed.mid(1);
    return trimmed.toString();
}

QHash<QString, QString> subjectNames(const QStringList& subjectRows)
{
    QHash<QString, QString> names;
    names.reserve(subjectRows.size());
    for (const QString& row : subjectRows) {
        if (row.size() < 8)
            continue;
        const QString key = normalizedCode(codeOfRow(row)) + row[6];
        if (!names.contains(key))
            names.insert(key, utl::field(row, QStringLiteral("|"), 2));
    }
    return names;
}

JournalTotals totalJournal(AppContext& ctx, const QString& folder, const QString& company, const ReferenceLists& lists)
{
    JournalTotals result;
    const QString path = exportFilePath(folder, company, QStringLiteral("PRN"));
    ExportReader reader(path);
    if (!reader.isOpen()) {
        result.openError = reader.errorString();
        return result;
    }
    result.found = true;
    const QHash<QString, QString> names = subjectNames(lists.subjects);
    QHash<QByteArray, QByteArray> vatNames; // code -> description padded to 20, UTF-8
    for (const QString& row : lists.vatCodes)
        vatNames.insert(utl::field(row, QStringLiteral("|"), 1).toUtf8(), paddedUtf8(utl::field(row, QStringLiteral("|"), 2), 20));
    const QByteArray noName = paddedUtf8(QString(), 20);

    Feedback progress = ctx.feedback();
    CompactLines unsorted;
    std::vector<Entry> entries;
    // Sized from the file once: a million lines grown by doubling would
    // hold twice the memory they need.
    const qint64 fileSize = QFileInfo(path).size();
    unsorted.reserve(fileSize / 90, fileSize + fileSize / 8);
    entries.reserve(static_cast<std::size_t>(fileSize / 90));
    QStringList problems;
    JournalCodes codes;
    ExportRecord record;
    QByteArray lastKey, lastName, line;
    while (reader.next(record)) {
        if (!journalRecordTaken(record))
            continue;
        Entry entry{codes.idOf(record.bytes(24)), journalType(record).toLatin1(), static_cast<quint32>(unsorted.size()), {}, {}};
        const QByteArray key = codes.code(entry.code) + entry.type;
        if (key != lastKey) {
            ++result.subjects;
            lastKey = key;
            lastName = paddedUtf8(names.value(normalizedCode(QString::fromLatin1(codes.code(entry.code))) + QLatin1Char(entry.type)), 30);
        }
        const auto taxable = journalAmount(record.bytes(19)), vat = journalAmount(record.bytes(18));
        for (const auto& [amount, position, what] : {std::tuple{taxable, 19, "Imponibile"}, std::tuple{vat, 18, "IVA"}}) {
            if (!amount) {
                ++result.badAmounts;
                problems << unreadableAmountLine(reader.lineNumber(), QLatin1String(what), record.field(position), QString::fromLatin1(key));
            }
        }
        entry.taxable = taxable.value_or(Amount());
        entry.vat = vat.value_or(Amount());
        // The sorted list's line: key, name, the registration fields, VAT code
        // and description, the two amounts.
        line.resize(0);
        line += key;
        line += '|';
        line += lastName;
        line += '|';
        for (int position : {2, 4, 11, 12, 13, 14}) {
            line += record.isAscii() ? record.bytes(position).toByteArray() : record.field(position).toUtf8();
            line += '|';
        }
        const QByteArray vatCode = record.bytes(20).trimmed().toByteArray();
        line += paddedUtf8(record.isAscii() ? QString::fromLatin1(vatCode) : record.field(20).trimmed(), 3);
        line += '|';
        line += vatNames.value(vatCode, noName);
        line += '|';
        appendAmountColumn(line, taxable, record.bytes(19), record.isAscii());
        line += '|';
        appendAmountColumn(line, vat, record.bytes(18), record.isAscii());
        line += '|';
        unsorted.appendUtf8(line);
        entries.push_back(entry);
        if (!progress.step([&] { return QStringLiteral("Righe lette : %1").arg(reader.lineNumber()); })) {
            result.stopped = true;
            return result;
        }
    }
    result.readFailed = reader.failed();
    ctx.ui().status(QStringLiteral("Completata lettura Prima Nota."));

    // Customers, then suppliers, each by code; a key's records in file order.
    const std::vector<quint32> rank = codes.ranks();
    std::stable_sort(entries.begin(), entries.end(), [&rank](const Entry& a, const Entry& b) {
        return a.type != b.type ? a.type < b.type : rank[a.code] < rank[b.code];
    });
    result.report << QStringLiteral("*****  Inizio PN_Nb_") + company + QStringLiteral("  *****") << SubjectTotals::heading()
                  << SubjectTotals::rule(QLatin1Char('-'));
    SubjectTotals totals([&result](const QString& text) { result.report << text; });
    totals.setRows(&result.subjectRows);
    result.sorted.reserve(unsorted.size(), unsorted.byteSize());
    for (std::size_t i = 0; i < entries.size();) {
        // A key's records summed, then handed to the totals at once.
        const Entry& first = entries[i];
        Amount taxable, vat;
        std::size_t j = i;
        for (; j < entries.size() && entries[j].type == first.type && entries[j].code == first.code; ++j) {
            taxable += entries[j].taxable;
            vat += entries[j].vat;
            result.sorted.appendUtf8(unsorted.utf8At(entries[j].line));
        }
        const QString code = QString::fromLatin1(codes.code(first.code));
        const QString type(QLatin1Char(first.type));
        totals.add(code + type, type, names.value(normalizedCode(code) + type), taxable, vat);
        i = j;
    }
    totals.finish();
    if (!problems.isEmpty())
        result.report << QString() << QStringLiteral("*** Importi NON numerici, esclusi dai totali :") << problems;
    return result;
}

QDate journalDate(QStringView text)
{
    const QString t = text.trimmed().toString();
    for (const char* format : {"dd/MM/yyyy", "yyyyMMdd", "yyyy-MM-dd"}) {
        const QDate date = QDate::fromString(t.left(QLatin1String(format).size()), QLatin1String(format));
        if (date.isValid())
            return date;
    }
    return {};
}

bool sumJournal(const QString& folder, const QString& company, const QDate& from, const QDate& to, SourceTotals& totals, int* rows,
                QString* failure)
{
    const QString path = exportFilePath(folder, company, QStringLiteral("PRN"));
    ExportReader reader(path);
    if (!reader.isOpen()) {
        if (failure)
            *failure = path.isEmpty() ? QStringLiteral("Manca file PRIMA NOTA Nembo dell'azienda ") + company + QStringLiteral(" in ") + folder
                                      : QStringLiteral("Impossibile leggere il file PRIMA NOTA Nembo :\r\n") + path + QStringLiteral("\r\n(")
                                            + reader.errorString() + QLatin1Char(')');
        return false;
    }
    QHash<QString, QString> names;
    for (const auto& [kind, letter] : {std::pair{"CLI", 'C'}, std::pair{"FOR", 'F'}}) {
        ExportReader subjects(exportFilePath(folder, company, QLatin1String(kind)));
        ExportRecord r;
        while (subjects.next(r))
            names.insert(comparisonKey(QString(QLatin1Char(letter)), normalizedCode(r.field(1))), r.field(3));
    }
    int summed = 0;
    ExportRecord record;
    while (reader.next(record)) {
        if (!journalRecordTaken(record))
            continue;
        const QDate date = journalDate(record.field(4));
        if (!date.isValid() || date < from || date > to)
            continue;
        // Receipts carry no customer code: the blank key, as in Ardea.
        const QString code = normalizedCode(record.field(24));
        const QString key = code.isEmpty() || code == QLatin1String("0") ? QString() : comparisonKey(QString(journalType(record)), code);
        KeyTotals& sums = totals.keys[key];
        if (sums.name.isEmpty())
            sums.name = names.value(key);
        const auto taxable = journalAmount(record.bytes(19)), vat = journalAmount(record.bytes(18));
        for (const auto& [amount, position, what] : {std::tuple{taxable, 19, "Imponibile"}, std::tuple{vat, 18, "IVA"}}) {
            if (!amount)
                totals.unreadable << unreadableAmountLine(reader.lineNumber(), QLatin1String(what), record.field(position), journalKey(record));
        }
        sums.taxable += taxable.value_or(Amount());
        sums.vat += vat.value_or(Amount());
        ++summed;
    }
    if (rows)
        *rows = summed;
    if (reader.failed()) {
        if (failure)
            *failure = QStringLiteral("Errore di lettura del file PRIMA NOTA Nembo :\r\n") + path + QStringLiteral("\r\n(") + reader.errorString()
                       + QLatin1Char(')');
        return false;
    }
    return true;
}

} // namespace legacy

CommandResult totalNemboJournal(AppContext& ctx, const NemboJournalInput& input)
{
    using Outcome = CommandResult::Outcome;
    Ui& ui = ctx.ui();
    const ReferenceLists& lists = input.references;
    if (!lists.read()) {
        ui.critical(QStringLiteral("MANCANO DATI TABELLE ! Leggere prima i Dati !!"));
        return {Outcome::Declined, {}};
    }
    if (legacy::exportFilePath(input.folder, input.company, QStringLiteral("PRN")).isEmpty()) {
        ui.message(QStringLiteral("Manca file PRIMA NOTA !!"));
        return {Outcome::Declined, {}};
    }
    legacy::JournalTotals totals = legacy::totalJournal(ctx, input.folder, input.company, lists);
    if (!totals.found) {
        // A journal that cannot be opened is a failure, never an empty report.
        ui.status(QStringLiteral("Generazione Totali NON eseguita."));
        ui.critical(QStringLiteral("Impossibile leggere il file PRIMA NOTA :\r\n")
                    + legacy::exportFilePath(input.folder, input.company, QStringLiteral("PRN")) + QStringLiteral("\r\n(")
                    + totals.openError + QStringLiteral(")\r\nIl report precedente resta com'era."));
        return {Outcome::Failed, {}};
    }
    if (totals.stopped) {
        // The previous report stays; the list of the rows read is not shown.
        ui.status(QStringLiteral("Generazione Totali interrotta."));
        return {Outcome::Stopped, {}};
    }
    CommandResult result;
    result.sorted = totals.sorted;
    if (totals.readFailed) {
        ui.critical(QStringLiteral("Errore di lettura del file PRIMA NOTA : le righe seguenti non sono state lette !!"));
        result.outcome = Outcome::Failed;
        return result;
    }
    // Written whole, or not at all: a report cut short never replaces the last one.
    QString failure;
    const QString path = companyReportPath(ctx.paths(), QStringLiteral("\\PN_nb_"), input.company, QStringLiteral(".LOG"));
    if (!ReportFile::writeAll(path, totals.report, &failure)) {
        ui.critical(failure);
        result.outcome = Outcome::Failed;
        return result;
    }
    ui.status(QStringLiteral("Completata Generazione Totali."));
    result.writtenReports << path; // not opened: the console leaves it to the user
    result.dataColumns = SubjectTotals::rowColumns();
    result.dataRows = totals.subjectRows;
    result.findings = totals.badAmounts;
    return result;
}

} // namespace corv

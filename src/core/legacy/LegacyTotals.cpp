#include "legacy/LegacyTotals.h"

#include "journal/SubjectCode.h"
#include "journal/SubjectTotals.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/ReportFile.h"
#include "util/Feedback.h"
#include "util/TextUtil.h"

#include <algorithm>
#include <vector>

namespace corv {

namespace legacy {

namespace {

// The sums of one customer/supplier: all the report keeps per key, so the
// memory grows with the customers and suppliers, never with the lines.
struct KeySums {
    bool seen = false;
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

    Feedback progress = ctx.feedback();
    std::vector<KeySums> sums; // two per code: customer, supplier
    QStringList problems;
    JournalCodes codes;
    ExportRecord record;
    qint64 lastKey = -1;
    while (reader.next(record)) {
        if (!journalRecordTaken(record))
            continue;
        const quint32 id = codes.idOf(record.bytes(24));
        const char type = journalType(record).toLatin1();
        const qint64 slot = qint64(id) * 2 + (type == 'F');
        if (slot != lastKey) {
            ++result.subjects;
            lastKey = slot;
            if (sums.size() <= std::size_t(slot))
                sums.resize(std::size_t(slot) + 2);
        }
        const auto taxable = journalAmount(record.bytes(19)), vat = journalAmount(record.bytes(18));
        for (const auto& [amount, position, what] : {std::tuple{taxable, 19, "Imponibile"}, std::tuple{vat, 18, "IVA"}}) {
            if (!amount) {
                ++result.badAmounts;
                problems << unreadableAmountLine(reader.lineNumber(), QLatin1String(what), record.field(position),
                                                 QString::fromLatin1(codes.code(id) + type));
            }
        }
        KeySums& key = sums[std::size_t(slot)];
        key.seen = true;
        key.taxable += taxable.value_or(Amount());
        key.vat += vat.value_or(Amount());
        if (!progress.step([&] { return QStringLiteral("Righe lette : %1").arg(reader.lineNumber()); })) {
            result.stopped = true;
            return result;
        }
    }
    result.readFailed = reader.failed();
    ctx.ui().status(QStringLiteral("Completata lettura Prima Nota."));

    // Customers, then suppliers, each by code (numeric codes by value).
    const std::vector<quint32> rank = codes.ranks();
    std::vector<quint32> present;
    for (quint32 slot = 0; slot < sums.size(); ++slot) {
        if (sums[slot].seen)
            present.push_back(slot);
    }
    std::sort(present.begin(), present.end(), [&rank](quint32 a, quint32 b) {
        return (a & 1) != (b & 1) ? (a & 1) < (b & 1) : rank[a / 2] < rank[b / 2];
    });
    const QHash<QString, QString> names = subjectNames(lists.subjects);
    result.report << QStringLiteral("*****  Inizio PN_Nb_") + company + QStringLiteral("  *****") << SubjectTotals::heading()
                  << SubjectTotals::rule(QLatin1Char('-'));
    SubjectTotals totals([&result](const QString& text) { result.report << text; });
    totals.setRows(&result.subjectRows);
    for (const quint32 slot : present) {
        const QString code = QString::fromLatin1(codes.code(slot / 2));
        const QString type((slot & 1) ? QLatin1Char('F') : QLatin1Char('C'));
        totals.add(code + type, type, names.value(normalizedCode(code) + type), sums[slot].taxable, sums[slot].vat);
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
    result.sorted = CompactLines();
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

#include "demo/DemoNembo.h"

#include "util/Amount.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace corv {

namespace {

// One export record: `count` fields, the given ones set (Windows-1252 bytes).
class Record {
public:
    explicit Record(int count) : fields_(count) {}
    Record& set(int position, const QString& value)
    {
        fields_[position - 1] = value.toLatin1();
        return *this;
    }
    Record& setBytes(int position, const QByteArray& value)
    {
        fields_[position - 1] = value;
        return *this;
    }
    QByteArray line() const { return fields_.join('|') + "\r\n"; }

private:
    QList<QByteArray> fields_;
};

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

class ExportFile {
public:
    ExportFile(const QString& folder, const QString& name) : file_(QDir(folder).filePath(name)) { file_.open(QIODevice::WriteOnly); }
    void add(const QByteArray& line) { ok_ = ok_ && file_.write(line) == line.size(); }
    bool close(QString* error)
    {
        if (ok_ && file_.commit())
            return true;
        return fail(error, QStringLiteral("Impossibile scrivere il file : ") + file_.fileName());
    }

private:
    QSaveFile file_;
    bool ok_ = true;
};

QString decimal(const QVariant& value)
{
    // The export's decimal comma, two decimals.
    return Amount::fromVariant(value).value_or(Amount()).toText(2, false);
}

QString unpadded(const QString& code)
{
    bool numeric = false;
    const int number = code.toInt(&numeric);
    return numeric ? QString::number(number) : code;
}

QString dayMonthYear(const QVariant& value) { return QDate::fromString(value.toString().left(10), QStringLiteral("yyyy-MM-dd")).toString(QStringLiteral("dd/MM/yyyy")); }

bool query(QSqlQuery& q, const QString& sql, QString* error)
{
    q.setForwardOnly(true);
    return q.exec(sql) || fail(error, q.lastError().text());
}

} // namespace

bool writeDemoNemboExport(const QString& folder, const QSqlDatabase& company, bool everyYear, QString* error)
{
    if (!QDir().mkpath(folder))
        return fail(error, QStringLiteral("Impossibile creare la cartella : ") + folder);
    {
        ExportFile azi(folder, QStringLiteral("TR001AZI")), other(folder, QStringLiteral("TR002AZI"));
        azi.add(Record(10).set(1, QStringLiteral("001")).set(2, QStringLiteral("Ferramenta Rossi & Figli S.r.l.")).line());
        other.add(Record(10).set(1, QStringLiteral("002")).set(2, QStringLiteral("Azienda cessata")).line());
        if (!azi.close(error) || !other.close(error))
            return false;
    }
    QSqlQuery q(company);
    {
        ExportFile civ(folder, QStringLiteral("TR001CIV"));
        if (!query(q, QStringLiteral("SELECT cod_iva, des_iva, prc_iva FROM CA_IVA ORDER BY cod_iva"), error))
            return false;
        while (q.next()) {
            const bool planted = q.value(0).toString() == QLatin1String("22"); // indicators that disagree
            civ.add(Record(32).set(1, q.value(0).toString()).set(2, q.value(1).toString()).set(3, decimal(q.value(2))).set(29, QStringLiteral("1"))
                        .set(30, planted ? QStringLiteral("2") : QStringLiteral("1")).set(32, QStringLiteral("S")).line());
        }
        if (!civ.close(error))
            return false;
    }
    {
        ExportFile cac(folder, QStringLiteral("TR001CAC"));
        if (!query(q, QStringLiteral("SELECT cod_caucon, des_caucon, cod_reg_iva FROM CO_CAUCON ORDER BY cod_caucon"), error))
            return false;
        while (q.next()) {
            const QString code = q.value(0).toString();
            // Reasons without a register are not listed: one "0", one empty.
            const QString listed = q.value(2).toString().isEmpty() ? (code == QLatin1String("GIR") ? QStringLiteral("0") : QString()) : QStringLiteral("1");
            cac.add(Record(15).set(1, code).set(2, q.value(1).toString()).set(13, QStringLiteral("N")).set(14, listed).set(15, q.value(2).toString()).line());
        }
        if (!cac.close(error))
            return false;
    }
    const QString yearCondition = everyYear ? QString() : QStringLiteral(" AND t.dat_registrazione >= '2024-01-01' AND t.dat_registrazione < '2025-01-01'");
    // The customer left out of the customers' file: the first with a journal row.
    QString missingCustomer;
    if (!query(q, QStringLiteral("SELECT MIN(t.cod_clifor) FROM CG_PRINOTAT AS t WHERE t.ind_clifor='C'") + yearCondition, error))
        return false;
    if (q.next())
        missingCustomer = q.value(0).toString();
    for (const auto& [kind, letter] : {std::pair{"CLI", "C"}, std::pair{"FOR", "F"}}) {
        ExportFile file(folder, QStringLiteral("TR001") + QLatin1String(kind));
        if (!query(q, QStringLiteral("SELECT c.cod_clifor, a.des_ragsoc, a.des_cogn, a.des_nome, a.cod_piva, a.cod_cfisc, a.des_localita_res, a.cod_naz,"
                                     " a.ind_tipo_diciva, a.flg_pers_fis, a.cod_localita_nas FROM CO_CLIFOR AS c"
                                     " LEFT JOIN CA_ANAGRAFICHE AS a ON (a.cod_anagra=c.cod_clifor) WHERE c.ind_clifor='")
                              + QLatin1String(letter) + QStringLiteral("' ORDER BY c.cod_clifor"),
                   error))
            return false;
        bool first = true;
        while (q.next()) {
            const QString code = q.value(0).toString();
            if (QLatin1String(kind) == QLatin1String("CLI") && code == missingCustomer)
                continue;
            Record record(157);
            record.set(1, unpadded(code)).set(2, QString()).set(4, q.value(2).toString()).set(5, q.value(3).toString()).set(6, q.value(4).toString())
                .set(7, q.value(5).toString()).set(10, q.value(6).toString()).set(12, q.value(7).toString()).set(13, q.value(8).toString())
                .set(31, q.value(9).toString()).set(131, q.value(10).toString()).set(151, QStringLiteral("N")).set(157, QStringLiteral("N"));
            // The first customer's name as Nembo wrote it, in Windows-1252.
            if (first && QLatin1String(kind) == QLatin1String("CLI"))
                record.setBytes(3, "Caff\xe8 Societ\xe0 Cooperativa");
            else
                record.set(3, q.value(1).toString());
            file.add(record.line());
            first = false;
        }
        if (QLatin1String(kind) == QLatin1String("CLI"))
            file.add("999998|x|Riga corta senza dati\r\n"); // a subject of few fields
        file.add("\r\n"); // a blank last line
        if (!file.close(error))
            return false;
    }
    {
        ExportFile lco(folder, QStringLiteral("TR001LCO"));
        if (!query(q, QStringLiteral("SELECT ind_periodo, ind_stato_liq, val_totale FROM CG_LIQUIDT_RIEP WHERE num_anno=2024 ORDER BY ind_periodo"), error))
            return false;
        lco.add("Liquidazioni IVA 2024 - Ferramenta Rossi & Figli S.r.l.\r\n");
        while (q.next())
            lco.add((QStringLiteral("Periodo %1/2024 | %2 | %3").arg(q.value(0).toString(), q.value(1).toString(), decimal(q.value(2)).rightJustified(12))
                     + QStringLiteral("\r\n"))
                        .toLatin1());
        if (!lco.close(error))
            return false;
    }
    // The journal: kind 1 rows, kind 2 for credit notes, and a kind 3 line per
    // document (its account line, never totalled).
    ExportFile prn(folder, QStringLiteral("TR001PRN"));
    if (!query(q, QStringLiteral("SELECT t.prg_prinota, t.num_registrazione, t.dat_registrazione, t.dat_doc, t.des_num_doc, t.num_protocollo,"
                                 " t.cod_caucon, t.ind_clifor, t.cod_clifor, r.num_riga, r.cod_iva, r.val_imponibile, r.val_iva, c.ind_tipo_oper_iva"
                                 " FROM CG_PRINOTAR_IVA AS r LEFT JOIN CG_PRINOTAT AS t ON (t.prg_prinota=r.prg_prinota)"
                                 " LEFT JOIN CO_CAUCON AS c ON (c.cod_caucon=t.cod_caucon) WHERE 1=1")
                          + yearCondition + QStringLiteral(" ORDER BY t.prg_prinota, r.num_riga"),
               error))
        return false;
    QSet<QString> customersSeen;
    bool plantedDone = false;
    qint64 lastDocument = -1;
    Amount documentTotal;
    Record account(30);
    const auto flushAccount = [&] {
        if (lastDocument >= 0)
            prn.add(account.set(19, documentTotal.toText(2, false)).line());
    };
    while (q.next()) {
        const qint64 document = q.value(0).toLongLong();
        const QString type = q.value(7).toString() == QLatin1String("F") ? QStringLiteral("2") : QStringLiteral("1");
        const QString code = unpadded(q.value(8).toString());
        const QString operation = q.value(13).toString();
        const bool credit = operation == QLatin1String("1") || operation == QLatin1String("3");
        Amount taxable = Amount::fromVariant(q.value(11)).value_or(Amount());
        // One amount a unit more, on the third customer's first row.
        if (type == QLatin1String("1") && !code.isEmpty() && !plantedDone) {
            customersSeen.insert(code);
            if (customersSeen.size() == 3) {
                taxable += *Amount::fromInteger(1);
                plantedDone = true;
            }
        }
        Record row(30);
        row.set(1, QStringLiteral("001")).set(2, q.value(1).toString()).set(4, dayMonthYear(q.value(2))).set(8, credit ? QStringLiteral("2") : QStringLiteral("1"))
            .set(11, dayMonthYear(q.value(3))).set(12, q.value(4).toString()).set(13, q.value(5).toString()).set(14, q.value(6).toString())
            .set(18, decimal(q.value(12))).set(19, taxable.toText(2, false)).set(20, q.value(10).toString()).set(23, type).set(24, code);
        if (document != lastDocument) {
            flushAccount();
            lastDocument = document;
            documentTotal = Amount();
            account = row;
            account.set(8, QStringLiteral("3")).set(18, QString()).set(20, QString());
        }
        documentTotal += taxable + Amount::fromVariant(q.value(12)).value_or(Amount());
        prn.add(row.line());
    }
    flushAccount();
    return prn.close(error);
}

} // namespace corv

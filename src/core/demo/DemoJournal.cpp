#include "demo/DemoJournal.h"
#include "demo/DemoRandom.h"

#include "util/Amount.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <array>
#include <map>
#include <vector>

namespace corv {

namespace {

struct VatCode {
    const char* code;
    const char* name;
    int percent;
    const char* nature; // empty: taxable
    int declared;       // flagged for the periodic declaration
};
constexpr std::array kVatCodes = {
    VatCode{"22", "IVA 22%", 22, "", 1},          VatCode{"10", "IVA 10%", 10, "", 1},
    VatCode{"4", "IVA 4%", 4, "", 1},             VatCode{"E15", "Esente art.15", 0, "N1", 1},
    VatCode{"NS2", "Non soggetto art.7", 0, "N2.2", 1}, VatCode{"NI8", "Non imp. art.8", 0, "N3.1", 1},
    VatCode{"E10", "Esente art.10", 0, "N4", 1},  VatCode{"RC", "Reverse charge 22%", 22, "N6.1", 1},
    VatCode{"FC", "Fuori campo IVA", 0, "N2.1", 0},
};

struct Reason {
    const char* code;
    const char* name;
    const char* reg;      // VAT register: V sales, A purchases, C receipts, empty none
    const char* opType;   // "1", "3", "7": credit notes
    const char* handling; // "03", "02", "11": left out of the journal view
    char subject;         // 'C' customer, 'F' supplier, 0 none
};
constexpr std::array kReasons = {
    Reason{"FV", "Fattura vendita", "V", "0", "01", 'C'},   Reason{"NCV", "Nota credito vendita", "V", "1", "01", 'C'},
    Reason{"FA", "Fattura acquisto", "A", "0", "01", 'F'},  Reason{"NCA", "Nota credito acquisto", "A", "3", "01", 'F'},
    Reason{"COR", "Corrispettivi", "C", "0", "01", 0},       Reason{"AUT", "Autofattura", "V", "0", "03", 'F'},
    Reason{"GIR", "Giroconto", "", "0", "", 0},              Reason{"PAG", "Pagamento", "", "0", "", 'F'},
};

constexpr std::array kNatures = {std::pair{"N1", "Escluse ex art.15"}, std::pair{"N2.1", "Non soggette art.7"},
                                 std::pair{"N2.2", "Non soggette altri casi"}, std::pair{"N3.1", "Non imponibili esportazioni"},
                                 std::pair{"N4", "Esenti"}, std::pair{"N6.1", "Inversione contabile rottami"}};

bool fail(QSqlQuery& q, QString* error)
{
    if (error)
        *error = q.lastError().text() + QStringLiteral("\n") + q.lastQuery();
    return false;
}

bool exec(QSqlQuery& q, const QVariantList& values, QString* error)
{
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    return q.exec() || fail(q, error);
}

// The journal rows planted without a VAT nature.
constexpr int kMissingNatures = 5;

QString isoDate(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00"); }
QVariant nullText() { return QVariant(QMetaType::fromType<QString>()); }
// Amounts as exact decimal text: 4 decimals as the journal keeps them.
QString amount(std::int64_t cents) { return QString::number(cents / 100) + QLatin1Char('.') + QString::number(std::llabs(cents % 100)).rightJustified(2, QLatin1Char('0')) + QStringLiteral("00"); }

const QString kJournal2025 = QStringLiteral(
    "SELECT t.prg_prinota, t.cod_caucon, t.ind_clifor, t.cod_clifor, t.dat_doc, t.des_num_doc, t.num_protocollo,"
    " i.num_riga, i.cod_iva, i.cod_reg_iva, i.val_imponibile, i.val_iva"
    " FROM CG_PRINOTAR_IVA AS i LEFT JOIN CG_PRINOTAT AS t ON (t.prg_prinota=i.prg_prinota)"
    " WHERE t.dat_registrazione >= '2025-01-01' AND t.dat_registrazione < '2026-01-01'"
    " ORDER BY t.prg_prinota, i.num_riga");

struct PlantedDifferences {
    bool ok = false;
    int missingDocument = -1;  // left out of Corvina
    int centOffDocument = -1;  // its first row's taxable a cent more in Corvina
    QString onlyInArdea;       // a customer Corvina does not have
};

// The customers the differences go to, in code order: the first with two
// documents or more loses one, the next gets the cent, the next is left out.
PlantedDifferences plantDifferences(const QSqlDatabase& company, QString* error)
{
    PlantedDifferences planted;
    QSqlQuery journal(company);
    journal.setForwardOnly(true);
    if (!journal.exec(kJournal2025)) {
        fail(journal, error);
        return planted;
    }
    std::map<QString, std::vector<int>> documents;
    while (journal.next()) {
        if (journal.value(2).toString() != QLatin1String("C"))
            continue;
        std::vector<int>& own = documents[journal.value(3).toString()];
        if (own.empty() || own.back() != journal.value(0).toInt())
            own.push_back(journal.value(0).toInt());
    }
    for (const auto& [code, docs] : documents) {
        if (planted.missingDocument < 0) {
            if (docs.size() >= 2)
                planted.missingDocument = docs.front();
        } else if (planted.centOffDocument < 0) {
            planted.centOffDocument = docs.front();
        } else {
            planted.onlyInArdea = code;
            break;
        }
    }
    planted.ok = true;
    return planted;
}

// A journal amount ("1234.5600") with a cent more.
QString centMore(const QString& amountText)
{
    const std::int64_t units = Amount::parse(amountText).value_or(Amount()).units() + 100;
    return QStringLiteral("%1.%2").arg(units / 10000).arg(std::llabs(units % 10000), 4, 10, QLatin1Char('0'));
}

} // namespace

bool fillDemoJournal(QSqlDatabase& company, int vatRows, bool plantMissingNatures, QString* error)
{
    QSqlQuery q(company);
    q.prepare(QStringLiteral("INSERT INTO CA_IVA (cod_iva, des_iva, prc_iva, ind_tipo_3000, ind_tipo_iva, ind_allegato, ind_dich_per, cod_natura_iva)"
                             " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const VatCode& v : kVatCodes) {
        if (!exec(q, {QLatin1String(v.code), QLatin1String(v.name), v.percent, QStringLiteral("1"), *v.nature ? QStringLiteral("E") : QStringLiteral("I"),
                      QStringLiteral("S"), v.declared, *v.nature ? QVariant(QLatin1String(v.nature)) : nullText()}, error))
            return false;
    }
    for (const char* table : {"CA_CAUCON", "CO_CAUCON"}) {
        q.prepare(QStringLiteral("INSERT INTO ") + QLatin1String(table)
                  + QStringLiteral(" (cod_caucon, des_caucon, cod_reg_iva, ind_tipo_oper_iva, ind_gestione_iva) VALUES (?, ?, ?, ?, ?)"));
        for (const Reason& r : kReasons) {
            if (!exec(q, {QLatin1String(r.code), QLatin1String(r.name), QLatin1String(r.reg), QLatin1String(r.opType), QLatin1String(r.handling)}, error))
                return false;
        }
    }
    q.prepare(QStringLiteral("INSERT INTO CA_NATURA_IVA (cod_natura_iva, des_natura_iva) VALUES (?, ?)"));
    for (const auto& [code, name] : kNatures) {
        if (!exec(q, {QLatin1String(code), QLatin1String(name)}, error))
            return false;
    }
    q.prepare(QStringLiteral("INSERT INTO MG_ARTBASE (cod_art, des_articolo, cod_grumerc, cod_linea) VALUES (?, ?, ?, ?)"));
    for (const auto& [code, name] : {std::pair{"VIT-M6-20", "Vite metrica M6x20 zincata"}, std::pair{"VIT-M8-30", "Vite metrica M8x30 inox"},
                                     std::pair{"TAS-FIS-8", "Tassello fischer 8 mm"}, std::pair{"CHI-INB-13", "Chiave inglese 13 mm"},
                                     std::pair{"MAR-500", "Martello da carpentiere 500 g"}, std::pair{"CAC-PH2", "Cacciavite a croce PH2"}}) {
        if (!exec(q, {QLatin1String(code), QLatin1String(name), QStringLiteral("FER"), QStringLiteral("CASA")}, error))
            return false;
    }
    q.prepare(QStringLiteral("INSERT INTO CA_ATTIVITA_CONT (num_esercizio, dat_inizio_eser, dat_fine_eser) VALUES (?, ?, ?)"));
    for (int year : {2024, 2025, 2026}) {
        if (!exec(q, {year, isoDate(QDate(year, 1, 1)), isoDate(QDate(year, 12, 31))}, error))
            return false;
    }

    std::vector<QString> customers, suppliers;
    QSqlQuery subjects(company);
    subjects.setForwardOnly(true);
    if (!subjects.exec(QStringLiteral("SELECT ind_clifor, cod_clifor FROM CO_CLIFOR ORDER BY cod_clifor")))
        return fail(subjects, error);
    while (subjects.next())
        (subjects.value(0).toString() == QLatin1String("C") ? customers : suppliers).push_back(subjects.value(1).toString());
    subjects.finish();
    if (customers.empty() || suppliers.empty())
        return true;

    DemoRandom r(1976);
    QSqlQuery header(company), row(company);
    header.prepare(QStringLiteral("INSERT INTO CG_PRINOTAT (prg_prinota, num_registrazione, dat_registrazione, cod_caucon, ind_clifor, cod_clifor,"
                                  " dat_doc, des_num_doc, sig_serie_doc, num_protocollo, sig_serie_prot) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    row.prepare(QStringLiteral("INSERT INTO CG_PRINOTAR_IVA (prg_prinota, prg_prinota_riga, num_riga, cod_caucon, cod_iva, cod_reg_iva, num_reg_iva,"
                               " ind_sogg_revcham, ind_area_naz, cod_piacont_contr, cod_natura_iva, val_imponibile, val_iva, dat_comp_iva)"
                               " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    int written = 0;
    int document = 0;
    int planted = 0;
    std::array<int, 3> protocols{}; // per register V, A, C
    while (written < vatRows) {
        ++document;
        const Reason& reason = kReasons[static_cast<std::size_t>([&] {
            const int pick = r.below(100);
            return pick < 45 ? 0 : pick < 50 ? 1 : pick < 78 ? 2 : pick < 82 ? 3 : pick < 92 ? 4 : pick < 94 ? 5 : pick < 97 ? 6 : 7;
        }())];
        const int year = r.below(2) ? 2025 : 2024;
        const QDate date = QDate(year, 1, 1).addDays(r.below(365));
        QString type, code;
        if (reason.subject == 'C') {
            type = QStringLiteral("C");
            code = r.below(20) == 0 ? customers.front() : customers[static_cast<std::size_t>(r.below(static_cast<int>(customers.size())))];
        } else if (reason.subject == 'F') {
            type = QStringLiteral("F");
            code = suppliers[static_cast<std::size_t>(r.below(static_cast<int>(suppliers.size())))];
        }
        const QString reg = QLatin1String(reason.reg);
        const int registerIndex = reg == QLatin1String("V") ? 0 : reg == QLatin1String("A") ? 1 : 2;
        const int protocol = ++protocols[static_cast<std::size_t>(registerIndex)];
        if (!exec(header, {document, document, isoDate(date), QLatin1String(reason.code), type.isEmpty() ? nullText() : QVariant(type),
                           code.isEmpty() ? nullText() : QVariant(code), isoDate(date.addDays(-r.below(10))),
                           QString::number(protocol) + QLatin1Char('/') + QString::number(year % 100),
                           QStringLiteral(""), protocol, reg}, error))
            return false;
        if (reg.isEmpty())
            continue; // no VAT rows for reasons without a VAT register
        const int lines = 1 + r.below(3);
        for (int line = 1; line <= lines && written < vatRows; ++line, ++written) {
            const VatCode& vat = kVatCodes[static_cast<std::size_t>(r.below(10) < 6 ? 0 : r.below(static_cast<int>(kVatCodes.size())))];
            const std::int64_t taxable = 1000 + r.below(500000);
            const std::int64_t tax = (taxable * vat.percent + 50) / 100;
            // A handful of exempt rows were recorded without their nature;
            // taxable rows carry an empty one.
            const bool drawn = *vat.nature && r.below(15) == 0;
            const bool natureMissing = plantMissingNatures && drawn && planted < kMissingNatures;
            planted += natureMissing;
            if (!exec(row, {document, document * 10 + line, line, QLatin1String(reason.code), QLatin1String(vat.code), reg, 1,
                            vat.code == std::string_view("RC") ? QStringLiteral("S") : QStringLiteral("N"), QStringLiteral("0"),
                            QStringLiteral("4010"), natureMissing ? nullText() : QVariant(QLatin1String(vat.nature)),
                            amount(taxable), amount(tax), isoDate(date)}, error))
                return false;
        }
    }
    return true;
}

bool fillDemoCorvina(QSqlDatabase& corvina, const QSqlDatabase& company, const QString& companyCode, QString* error)
{
    QSqlQuery q(corvina);
    for (int year : {2016, 2025}) {
        q.prepare(QStringLiteral("INSERT INTO VATCode (CompanyGroupCode, VATYear, VATCode, VATName, VATPercentage, VATNatureType, C3Type,"
                                 " OperationType, NonDeductVATPerc, NotTaxable) VALUES ('', ?, ?, ?, ?, ?, ?, ?, 0, ?)"));
        for (const VatCode& v : kVatCodes) {
            // Corvina keeps the nature as its number ("N2.1" is 2, 0 none); one is left Null.
            const bool noNature = year < 2017 || std::string_view(v.code) == "FC";
            if (!exec(q, {year, QLatin1String(v.code), QLatin1String(v.name), v.percent,
                          noNature ? nullText() : QVariant(*v.nature ? QString(QLatin1Char(v.nature[1])) : QStringLiteral("0")),
                          QStringLiteral("1"), QStringLiteral("0"), *v.nature ? QStringLiteral("1") : QStringLiteral("0")}, error))
                return false;
        }
        q.prepare(QStringLiteral("INSERT INTO AccountingRsn (CompanyGroupCode, VATYear, ReasonCode, ReasonName, InC3, VariationNote, Selfinvoice,"
                                 " ReverseCharge, InVATData, VATSelfInvoice, VATReverseCharge, VATDocumentType, VATVariationNote, ChargeabilityTax)"
                                 " VALUES ('', ?, ?, ?, '1', ?, ?, '0', '1', ?, ?, ?, ?, ?)"));
        for (const Reason& r : kReasons) {
            if (!*r.reg)
                continue;
            const bool credit = std::string_view(r.opType) != "0";
            const QString selfInvoice = std::string_view(r.code) == "AUT" ? QStringLiteral("1") : QStringLiteral("0");
            // Document type and chargeability as Corvina numbers them (1 TD01,
            // 2 TD04; 0 immediate); receipts leave two flags Null.
            const bool receipts = std::string_view(r.code) == "COR";
            if (!exec(q, {year, QLatin1String(r.code), QLatin1String(r.name), credit ? QStringLiteral("1") : QStringLiteral("0"), selfInvoice,
                          selfInvoice, receipts ? nullText() : QVariant(QStringLiteral("0")), credit ? 2 : 1,
                          receipts ? nullText() : QVariant(credit ? QStringLiteral("1") : QStringLiteral("0")), 0},
                      error))
                return false;
        }
        // Customers and suppliers of the Italian area, as the import takes them.
        QSqlQuery registry(company);
        registry.setForwardOnly(true);
        if (!registry.exec(QStringLiteral("SELECT c.ind_clifor, c.cod_clifor, a.des_ragsoc, a.cod_piva, a.cod_cfisc, n.sig_iso, a.flg_pers_fis, a.des_localita_res"
                                          " FROM CO_CLIFOR AS c LEFT JOIN CA_ANAGRAFICHE AS a ON (a.cod_anagra=c.cod_clifor)"
                                          " LEFT JOIN CA_NAZIONI AS n ON (n.cod_naz=a.cod_naz) ORDER BY c.cod_clifor")))
            return fail(registry, error);
        q.prepare(QStringLiteral("INSERT INTO CustomerSupplier (CompanyCode, VATYear, CustSupplType, CustSupplCode, CompanyName, VATRegNo, FiscalCode,"
                                 " ISOCode, PhysicalPerson, C3SubjectType, VATDataExclusion, GroupingCode, City, ResidenceISOCode,"
                                 " FiscalAddressISOCode, ForeignFiscalCode) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, '1', '0', '', ?, ?, ?, NULL)"));
        int n = 0;
        while (registry.next()) {
            // One supplier in a hundred has no type, as old imports left it.
            const QVariant type = ++n % 100 == 0 ? nullText()
                                                 : QVariant(registry.value(0).toString() == QLatin1String("C") ? QStringLiteral("1") : QStringLiteral("2"));
            if (!exec(q, {companyCode, year, type, registry.value(1), registry.value(2), registry.value(3), registry.value(4), registry.value(5),
                          registry.value(6), registry.value(7), registry.value(5), registry.value(5)},
                      error))
                return false;
        }
    }

    // 2016: attachment rows, generated.
    DemoRandom r(1976);
    q.prepare(QStringLiteral("INSERT INTO VATAttachmentRow (CompanyCode, VATYear, CompanyGroupCode, VATCode, ModelCode, ReasonCode, CustSupplType,"
                             " CustSupplCode, RecordingDate, RecordingNumber, VATTaxable, VATAmount, DocumentDate, DocumentNumber, ProtocolNumber,"
                             " VATRegisterId, OperationType) VALUES (?, 2016, '', ?, 'ALL', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '0')"));
    for (int i = 1; i <= 400; ++i) {
        const bool sale = r.below(3) != 0;
        const VatCode& v = kVatCodes[static_cast<std::size_t>(r.below(4))];
        const QDate date = QDate(2016, 1, 1).addDays(r.below(366));
        const std::int64_t taxable = 1000 + r.below(300000);
        if (!exec(q, {companyCode, QLatin1String(v.code), sale ? QStringLiteral("FV") : QStringLiteral("FA"), sale ? QStringLiteral("1") : QStringLiteral("2"),
                      QStringLiteral("%1").arg(1 + r.below(300), 6, 10, QLatin1Char('0')), isoDate(date), i, amount(taxable),
                      amount((taxable * v.percent + 50) / 100), isoDate(date), QString::number(i) + QStringLiteral("/16"), i,
                      sale ? QStringLiteral("V") : QStringLiteral("A")},
                  error))
            return false;
    }

    // 2025: VAT data and rows, from the company's journal, with three planted
    // differences: a customer's document left out, a customer's amount off by
    // a cent, a customer left out altogether.
    const PlantedDifferences planted = plantDifferences(company, error);
    if (!planted.ok)
        return false;
    QSqlQuery journal(company);
    journal.setForwardOnly(true);
    if (!journal.exec(kJournal2025))
        return fail(journal, error);
    QSqlQuery data(corvina), rows(corvina);
    data.prepare(QStringLiteral("INSERT INTO VATData (CompanyCode, VATYear, DocCumulative, CompanyGroupCode, ModelCode, ReasonCode, CustSupplType,"
                                " CustSupplCode, DocumentDate, DocumentNumber, ProtocolNumber, VATRegisterId) VALUES (?, 2025, ?, '', 'DF', ?, ?, ?, ?, ?, ?, ?)"));
    rows.prepare(QStringLiteral("INSERT INTO VATDataRows (CompanyCode, VATYear, CompanyGroupCode, DocCumulative, DocCumulativeRow, VATCode, VATTaxable,"
                                " VATAmount, ReverseChargeType) VALUES (?, 2025, '', ?, ?, ?, ?, ?, NULL)"));
    int lastDocument = -1;
    while (journal.next()) {
        const int document = journal.value(0).toInt();
        if (document == planted.missingDocument || (journal.value(2).toString() == QLatin1String("C") && journal.value(3).toString() == planted.onlyInArdea))
            continue;
        if (document != lastDocument) {
            lastDocument = document;
            const QString type = journal.value(2).toString();
            if (!exec(data, {companyCode, document, journal.value(1), type.isEmpty() ? nullText() : QVariant(type == QLatin1String("C") ? QStringLiteral("1") : QStringLiteral("2")),
                             journal.value(3), journal.value(4), journal.value(5), journal.value(6), journal.value(9)},
                      error))
                return false;
        }
        QVariant taxable = journal.value(10);
        if (document == planted.centOffDocument && journal.value(7).toInt() == 1)
            taxable = centMore(taxable.toString());
        if (!exec(rows, {companyCode, document, journal.value(7), journal.value(8), taxable, journal.value(11)}, error))
            return false;
    }
    QSqlQuery drop(corvina);
    drop.prepare(QStringLiteral("DELETE FROM CustomerSupplier WHERE VATYear=2025 AND CompanyCode=? AND CustSupplType='1' AND CustSupplCode=?"));
    return exec(drop, {companyCode, planted.onlyInArdea}, error);
}

} // namespace corv

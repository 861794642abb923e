#include "demo/DemoMaintenance.h"

#include "demo/DemoSql.h"

namespace corv {

using demosql::exec;
using demosql::isoDate;
using demosql::nullText;
using demosql::run;

namespace {

QString articleCode(int i) { return QStringLiteral("ART%1").arg(i, 5, 10, QLatin1Char('0')); }
// Amounts as decimal text with the cents.
QString money(int cents) { return QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0')); }

bool fillBalancesAndSettlements(QSqlDatabase& company, QString* error)
{
    // December 2025's purchase invoices came late: their VAT falls in January
    // 2026. So December has no purchases and January purchases only.
    if (!run(company, QStringLiteral("UPDATE CG_PRINOTAR_IVA SET dat_comp_iva='2026-01-15 00:00:00'"
                                     " WHERE cod_reg_iva='A' AND dat_comp_iva>='2025-12-01 00:00:00'"), error))
        return false;
    // The codes' kind in the annual communication, varied.
    QSqlQuery kind(company);
    kind.prepare(QStringLiteral("UPDATE CA_IVA SET ind_tipo_3000=? WHERE cod_iva=?"));
    for (const auto& [code, value] : {std::pair{"4", "4"}, std::pair{"E15", "3"}, std::pair{"NI8", "2"}, std::pair{"E10", "3"},
                                      std::pair{"NS2", "0"}, std::pair{"FC", "0"}}) {
        if (!exec(kind, {QLatin1String(value), QLatin1String(code)}, error))
            return false;
    }
    // The balances, from the journal by VAT period; one code has no VAT code row.
    if (!run(company, QStringLiteral("INSERT INTO CG_SALDI_IVA (num_anno, ind_periodo, cod_reg_iva, cod_iva, val_imponibile, val_imposta)"
                                     " SELECT CAST(strftime('%Y', dat_comp_iva) AS INTEGER), CAST(strftime('%m', dat_comp_iva) AS INTEGER), cod_reg_iva, cod_iva, SUM(val_imponibile), SUM(val_iva)"
                                     " FROM CG_PRINOTAR_IVA WHERE cod_reg_iva<>'' GROUP BY 1, 2, 3, 4"), error)
        || !run(company, QStringLiteral("INSERT INTO CG_SALDI_IVA VALUES (2025, 6, 'V', 'X99', 1234.5600, 0)"), error))
        return false;
    // Settlements: 2024 partly printed, 2025 with split payment and
    // adjustments in March, two months of 2026 (purchases only; no lines).
    if (!run(company, QStringLiteral("UPDATE CG_LIQUIDT_RIEP SET ind_stato_liq='S' WHERE num_anno=2024 AND ind_periodo IN ('01', '02', '03')"), error)
        || !run(company, QStringLiteral("UPDATE CG_LIQUIDT_RIEP SET val_rett_splitp=120.5, val_rett_deb=10, val_rett_cred=2.25,"
                                        " des_rett_deb='Rettifica fornitore', des_rett_cred='Nota anticipata'"
                                        " WHERE num_anno=2025 AND ind_periodo='03'"), error))
        return false;
    QSqlQuery settlement(company);
    settlement.prepare(QStringLiteral("INSERT INTO CG_LIQUIDT_RIEP (num_anno, ind_tipo_periodo, ind_periodo, ind_stato_liq, val_totale, val_rett_splitp,"
                                      " val_rett_deb, val_rett_cred, des_rett_deb, des_rett_cred) VALUES (2026, 'M', ?, 'P', ?, 0, 0, 0, '', '')"));
    return exec(settlement, {QStringLiteral("01"), QStringLiteral("-2500.00")}, error) && exec(settlement, {QStringLiteral("02"), QStringLiteral("0")}, error);
}

// Article i: movements before 1 January 2025 unless i % 3 == 2 (none);
// i % 5 == 0 also one in 2025, and article 3 one on 1 January 2025 itself;
// i % 7 == 0 an order of 2025 (i % 7 == 1 one of 2024); i % 11 == 0 a contract
// price under its base code, i % 13 == 0 under its own code; i % 17 == 0 is
// obsolete since 30 June 2023; i % 4 == 0 has two variants.
bool fillStock(QSqlDatabase& company, int articles, int movements, QString* error)
{
    for (const QString& sql : {QStringLiteral("INSERT INTO MG_GRUMERC VALUES ('FER', 'Ferramenta'), ('ELE', 'Materiale elettrico'), ('IDR', 'Idraulica')"),
                               QStringLiteral("INSERT INTO MG_SGRUMERC VALUES ('FER', '01', 'Viteria'), ('FER', '02', 'Utensili'),"
                                              " ('ELE', '01', 'Cavi'), ('ELE', '02', 'Lampade'), ('IDR', '01', 'Raccordi'), ('IDR', '02', 'Rubinetti')"),
                               QStringLiteral("INSERT INTO MG_LINEA VALUES ('CASA', 'Linea casa'), ('PRO', 'Linea professionale')"),
                               QStringLiteral("INSERT INTO MG_LISTINI VALUES ('L1', 'Listino pubblico'), ('L2', 'Listino rivenditori')"),
                               QStringLiteral("INSERT INTO CA_VALUTE VALUES ('EUR', 'Euro', 3, 2, 2)"),
                               QStringLiteral("UPDATE MG_ARTBASE SET ind_tiporiga='N', val_costo_std=1")}) {
        if (!run(company, sql, error))
            return false;
    }
    const QStringList groups = {QStringLiteral("FER"), QStringLiteral("ELE"), QStringLiteral("IDR")};
    QSqlQuery article(company), variant(company), order(company), contract(company), price(company);
    article.prepare(QStringLiteral("INSERT INTO MG_ARTBASE (cod_art, des_articolo, dat_obsoleto, ind_tiporiga, cod_grumerc, cod_sgrumerc, cod_linea,"
                                   " val_costo_std, cod_utente_mod, dat_utente_mod) VALUES (?, ?, ?, 'N', ?, ?, ?, ?, 'demo', '2024-01-10 00:00:00')"));
    variant.prepare(QStringLiteral("INSERT INTO MG_ARTICOLI VALUES (?, ?, ?, ?, 'demo', '2024-01-10 00:00:00')"));
    order.prepare(QStringLiteral("INSERT INTO OR_ORDINIR VALUES (?, 1, ?, ?)"));
    contract.prepare(QStringLiteral("INSERT INTO PZ_PREZZICONTR VALUES (?, ?, ?, 9.5)"));
    price.prepare(QStringLiteral("INSERT INTO PZ_PREZZIBASE VALUES (?, ?, 1, ?)"));
    for (int i = 1; i <= articles; ++i) {
        const QString code = articleCode(i);
        const QVariant obsolete = i % 17 == 0 ? QVariant(isoDate(QDate(2023, 6, 30))) : nullText();
        const QString name = QStringLiteral("Articolo %1 %2").arg(i).arg(groups[i % 3] == QLatin1String("FER") ? QStringLiteral("ferramenta") : QStringLiteral("vario"));
        if (!exec(article, {code, name, obsolete, groups[i % 3], i % 2 ? QStringLiteral("01") : QStringLiteral("02"),
                            i % 4 < 2 ? QStringLiteral("CASA") : QStringLiteral("PRO"), money(500 + i % 900)}, error))
            return false;
        if (i % 4 == 0) {
            for (int v = 1; v <= 2; ++v) {
                if (!exec(variant, {code, v, name + QStringLiteral(" var. %1").arg(v), obsolete}, error))
                    return false;
            }
        }
        if ((i % 7 == 0 || i % 7 == 1) && !exec(order, {i, code, isoDate(i % 7 == 0 ? QDate(2025, 3, 1 + i % 28) : QDate(2024, 5, 1 + i % 28))}, error))
            return false;
        if (i % 11 == 0 && !exec(contract, {2 * i, code, QString()}, error))
            return false;
        if (i % 13 == 0 && !exec(contract, {2 * i + 1, QString(), code}, error))
            return false;
        // Prices in cents: list L1 for every article, L2 for the even ones, one of them Null.
        const int cents = 1000 + (i * 37) % 9000 + (i % 10);
        if (!exec(price, {code, QStringLiteral("L1"), money(cents)}, error))
            return false;
        if (i % 2 == 0 && !exec(price, {code, QStringLiteral("L2"), i == 2 ? nullText() : QVariant(money(cents * 9 / 10))}, error))
            return false;
    }
    // Movements: articles with some, in turn; the first pass gives the
    // articles of 2025 their recent one.
    QSqlQuery movement(company);
    movement.prepare(QStringLiteral("INSERT INTO MG_MOVMAGR VALUES (?, ?, ?, 1)"));
    int written = 0, pass = 0;
    while (written < movements && articles > 0) {
        for (int i = 1; i <= articles && written < movements; ++i) {
            if (i % 3 == 2)
                continue;
            const QDate date = pass == 0 && i % 5 == 0 ? QDate(2025, 2, 1 + i % 28)
                               : pass == 0 && i == 3   ? QDate(2025, 1, 1)
                                                       : QDate(2023, 1, 1).addDays((i * 31 + pass * 17) % 700);
            if (!exec(movement, {++written, articleCode(i), isoDate(date)}, error))
                return false;
        }
        ++pass;
    }
    return true;
}

} // namespace

bool fillDemoMaintenance(QSqlDatabase& company, int articles, int movements, QString* error)
{
    return fillBalancesAndSettlements(company, error) && fillStock(company, articles, movements, error);
}

bool fillDemoInvoiceData(QSqlDatabase& corvina, const QString& companyCode, QString* error)
{
    QSqlQuery q(corvina);
    q.prepare(QStringLiteral("INSERT INTO VATInvoiceData (CompanyCode, VATYear, Canceled, SupplyProgr, Period, SubscriberFiscalCode, VATFiscalCodeId,"
                             " OfficeAddress) VALUES (?, 2025, ?, ?, ?, 'RSSMRA80A01H501U', '01234567897', 'Via Roma 1')"));
    for (const auto& [progr, canceled, period] : {std::tuple{1, 0, "1S"}, std::tuple{2, 1, "2S"}, std::tuple{3, 0, "2S"}}) {
        if (!exec(q, {companyCode, canceled, progr, QLatin1String(period)}, error))
            return false;
    }
    // Customers of the communications, kept apart from the imported ones.
    q.prepare(QStringLiteral("INSERT INTO CustomerSupplier (CompanyCode, VATYear, CustSupplType, CustSupplCode, CompanyName, VATRegNo, FiscalCode,"
                             " ISOCode, GroupingCode, ForeignFiscalCode, IntrastatNationArea) VALUES (?, 2025, ?, ?, ?, ?, ?, ?, ?, NULL, ?)"));
    const struct {
        QVariant type;
        const char *code, *name, *vat, *fiscal, *iso, *grouping;
        int area;
    } subjects[] = {{QStringLiteral("1"), "Z00001", "Cliente con entrambi i codici", "01234567897", "BNCGNN70A01F205X", "IT", "", 1},
                    {QStringLiteral("1"), "Z00002", "Cliente con sola P.IVA", "09876543217", "", "IT", "", 1},
                    {QStringLiteral("1"), "Z00003", "Cliente senza codici", "", "", "IT", "", 1},
                    {nullText(), "Z00005", "Cliente senza tipo", "11111111115", "", "IT", "", 1},
                    {QStringLiteral("1"), "E00001", "Foreign Client with fiscal code", "", "FR123456789", "FR", "", 2},
                    {QStringLiteral("1"), "E00002", "Kunde mit USt-IdNr", "DE811234567", "", "DE", "", 2},
                    {QStringLiteral("2"), "E00003", "Grouped Supplier Ltd", "", "", "GB", "GRP-7781", 3},
                    {QStringLiteral("1"), "E00004", "Cliente estero senza codici", "", "", "US", "", 3},
                    {QStringLiteral("1"), "E00005", "Cliente area 1 senza CF estero", "", "RSSLGU75B02F205Z", "IT", "", 1}};
    for (const auto& s : subjects) {
        const auto textOrNull = [](const char* v) { return *v ? QVariant(QLatin1String(v)) : nullText(); };
        if (!exec(q, {companyCode, s.type, QLatin1String(s.code), QLatin1String(s.name), textOrNull(s.vat), textOrNull(s.fiscal), QLatin1String(s.iso),
                      textOrNull(s.grouping), s.area},
                  error))
            return false;
    }
    // Issued-invoice rows: most with their codes, five without (the fourth
    // has no customer record), in communications 1 and 3.
    q.prepare(QStringLiteral("INSERT INTO VATInvoiceDataIssued (CompanyCode, VATYear, SupplyProgr, SupplyRowProgr, CustSupplCode, CustSupplType,"
                             " CountryId, FiscalCode, VATFiscalCodeId, CompanyName, OfficeAddress, OfficePostalCode, OfficeCity, OfficeProvince)"
                             " VALUES (?, 2025, ?, ?, ?, ?, 'IT', ?, ?, ?, 'Via Verdi 2', '20100', 'Milano', 'MI')"));
    const struct {
        int progr, row;
        const char* code;
        QVariant type;
        const char *fiscal, *vat, *name;
    } rows[] = {{3, 1, "Z00001", QStringLiteral("1"), "", "", "Cliente con entrambi i codici"},
                {3, 2, "Z00002", QStringLiteral("1"), "", "", "Cliente con sola P.IVA"},
                {3, 3, "Z00003", QStringLiteral("1"), "", "", "Cliente senza codici"},
                {3, 4, "Z00004", QStringLiteral("1"), "", "", "Cliente senza anagrafica | ramo"},
                {3, 5, "Z00005", nullText(), "", "", "Cliente senza tipo"},
                {3, 6, "C00010", QStringLiteral("1"), "BNCGNN70A01F205X", "01234567897", "Cliente in regola"},
                {1, 1, "Z00001", QStringLiteral("1"), "", "", "Cliente con entrambi i codici"},
                {2, 1, "Z00003", QStringLiteral("1"), "", "", "Cliente senza codici"}};
    for (const auto& r : rows) {
        const auto textOrNull = [](const char* v) { return *v ? QVariant(QLatin1String(v)) : nullText(); };
        if (!exec(q, {companyCode, r.progr, r.row, QLatin1String(r.code), r.type, textOrNull(r.fiscal), textOrNull(r.vat), QLatin1String(r.name)}, error))
            return false;
    }
    return true;
}

} // namespace corv

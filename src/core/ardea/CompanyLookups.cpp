#include "ardea/CompanyLookups.h"

#include "util/Amount.h"
#include "db/DbValues.h"
#include "db/Dialect.h"
#include "db/Connections.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace corv {

namespace {

QString firstText(const QSqlDatabase& db, const QString& sql, const char* field, const QVariantList& values)
{
    return textOf(firstRecord(db, sql, values).value(QLatin1String(field)));
}

} // namespace

CompanyMasterData companyMasterData(const QSqlDatabase& company, const QString& companyCode)
{
    CompanyMasterData data;
    const Dialect& dialect = dialectOf(company);
    const QSqlRecord registry = firstRecord(company, QStringLiteral("SELECT * FROM CA_ANAGRAFICHE WHERE cod_anagra = ?"), {companyCode});
    const auto field = [&](const char* name) { return textOf(registry.value(QLatin1String(name))); };
    data.name = field("des_ragsoc");
    if (data.name.isEmpty())
        data.name = QString(40, QLatin1Char(' '));
    data.address = field("des_indir_res");
    data.postCode = field("cod_cap_res");
    data.town = field("des_localita_res");
    data.province = field("sig_prov_res");
    data.phone = field("sig_tel_res");
    data.fax = field("sig_fax_res");
    data.vatNumber = field("cod_piva");
    data.fiscalCode = field("cod_cfisc");
    data.code = field("cod_anagra");
    data.rea = field("sig_iscr_rea");
    const Amount capital = Amount::fromVariant(registry.value(QStringLiteral("val_capsoc")));
    const Amount paid = Amount::fromVariant(registry.value(QStringLiteral("val_capsoc_v")));
    data.shareCapital = capital.toText(2) + (paid == capital ? QStringLiteral(" i.v.") : QStringLiteral(" Versato: ") + paid.toText(2));

    const QSqlRecord parameters = firstRecord(company, dialect.selectTop(1, QStringLiteral("* FROM CO_AZIENDA_PAR")));
    data.quantityDecimals = parameters.value(QStringLiteral("num_dec_qta")).toInt();
    data.currency = textOf(parameters.value(QStringLiteral("cod_valuta")));
    data.chartModel = textOf(parameters.value(QStringLiteral("cod_piacont_mod")));
    data.nation = textOf(parameters.value(QStringLiteral("cod_naz")));
    const auto decimals = [&](const char* column) {
        return firstRecord(company, QStringLiteral("SELECT ") + QLatin1String(column) + QStringLiteral(" FROM CA_VALUTE WHERE cod_valuta = ?"),
                        {data.currency})
            .value(0)
            .toInt();
    };
    data.priceDecimals = decimals("num_dec_prezzi");
    data.commercialDecimals = decimals("num_dec_imp_comm");
    data.administrativeDecimals = decimals("num_dec_imp_amm");
    data.billOfMaterialsCounter =
        firstRecord(company, QStringLiteral("SELECT * FROM CO_PROGNUM WHERE cod_tabella = 'DB_DIBA'")).value(QStringLiteral("prg_numero")).toLongLong();
    return data;
}

QString articleByAlias(const QSqlDatabase& company, const QString& alias, const QString& aliasType)
{
    return firstText(company,
                     dialectOf(company).selectTop(1, QStringLiteral("* FROM MG_ARTICOLIALIAS WHERE cod_agg=? AND (cod_tipo_alias=? OR cod_tipo_alias='01')"
                                                                    " ORDER BY prg_alias, cod_art")),
                     "cod_art", {alias, aliasType});
}

QString goodsGroupName(const QSqlDatabase& company, const QString& group)
{
    return firstText(company, QStringLiteral("SELECT * FROM MG_GRUMERC WHERE cod_grumerc = ?"), "des_grumerc", {group});
}

QString goodsSubgroupName(const QSqlDatabase& company, const QString& group, const QString& subgroup)
{
    if (group == QLatin1String("*"))
        return firstText(company, QStringLiteral("SELECT * FROM MG_SGRUMERC WHERE cod_sgrumerc = ?"), "des_sgrumerc", {subgroup});
    return firstText(company, QStringLiteral("SELECT * FROM MG_SGRUMERC WHERE cod_grumerc = ? AND cod_sgrumerc = ?"), "des_sgrumerc",
                     {group, subgroup});
}

QString lineName(const QSqlDatabase& company, const QString& line)
{
    return firstText(company, QStringLiteral("SELECT * FROM MG_LINEA WHERE cod_linea = ?"), "des_linea", {line});
}

} // namespace corv

#pragma once

#include <QSqlDatabase>
#include <QString>

namespace corv {

// The open company's master data, as the stock tools print it.
struct CompanyMasterData {
    QString name; // 40 blanks when the company has none
    QString address, postCode, town, province, phone, fax;
    QString vatNumber, fiscalCode, code, rea;
    QString shareCapital; // amount + " i.v." when fully paid, else + " Versato: " + paid
    int quantityDecimals = 0;
    QString currency, chartModel, nation;
    int priceDecimals = 0, commercialDecimals = 0, administrativeDecimals = 0;
    qint64 billOfMaterialsCounter = 0;
};

CompanyMasterData companyMasterData(const QSqlDatabase& company, const QString& companyCode);

// Stock lookups on the company database; empty text when nothing is found.
QString articleByAlias(const QSqlDatabase& company, const QString& alias, const QString& aliasType);
QString goodsGroupName(const QSqlDatabase& company, const QString& group);
// A group of "*" looks the subgroup up in every group.
QString goodsSubgroupName(const QSqlDatabase& company, const QString& group, const QString& subgroup);
QString lineName(const QSqlDatabase& company, const QString& line);

} // namespace corv

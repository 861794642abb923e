#pragma once

#include <QList>
#include <QString>

namespace corv {

// A Corvina company of a VAT year, as Corvina's Company table lists it: a
// plain value every layer may carry (the commands, the windows' requests).
struct CorvinaCompany {
    QString code;  // CompanyCode
    int year = 0;  // VATYear; 0: no company chosen
    QString name;  // CompanyName
    QString group; // CompanyGroupCode
    bool chosen() const { return year != 0; }
};

using CorvinaCompanies = QList<CorvinaCompany>;

} // namespace corv

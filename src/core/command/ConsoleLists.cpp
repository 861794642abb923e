#include "command/ConsoleLists.h"

#include "report/FixedLine.h"

namespace corv {

QString corvinaCompanyRow(const CorvinaCompany& company)
{
    return FixedLine().text(company.code, 6).text(company.year ? QString::number(company.year) : QString(), 4).text(company.name, 80)
        .text(company.group, 18).take();
}

} // namespace corv

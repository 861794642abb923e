#pragma once

#include "command/CommandResult.h"

#include <QString>

namespace corv {

class AppContext;
class Dialect;

// Bodies without VAT status (public bodies, associations) have an 11-digit
// fiscal code beginning with 8 or 9 and no VAT number; typed into the VAT
// number field it makes the VAT communications fail. These commands find such
// VAT numbers on subjects of Italian-area nations.

QString ardeaPublicBodiesSql(const Dialect& dialect);
QString ardeaPublicBodiesHeading();
QString nemboPublicBodiesHeading();

// Cmd_ARPIEnti: the Ardea registry listed, then, on request, the VAT number
// moved to the fiscal code of every subject whose own VAT number begins with
// 8 or 9 (current and historical registry apart), its declarant kinds set to
// "C" on every role; the report "PI_EntiAR_<company>.log" tells what was left.
CommandResult checkArdeaPublicBodies(AppContext& ctx, const ResultsSink& show = {});
// The report of that check ("PI_EntiAR_<company>.log").
QString ardeaPublicBodiesReportPath(AppContext& ctx);
// Cmd_CvPIEnti: the Corvina customers and suppliers of the selected company and year, listed.
CommandResult checkCorvinaPublicBodies(AppContext& ctx, const CorvinaCompany& company, const ResultsSink& show = {});
// Cmd_PIEnti: the legacy archive's customers and suppliers, listed.
CommandResult checkNemboPublicBodies(AppContext& ctx, const QString& folder, const QString& company, const ResultsSink& show = {});

} // namespace corv

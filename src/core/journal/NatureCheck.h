#pragma once

#include "command/CommandResult.h"

#include <QString>

namespace corv {

class AppContext;

// The Ardea journal's VAT rows without a VAT nature, over the whole journal
// (Corvina needs the nature of every row from 2017 on).
QString missingNatureSql();
QString missingNatureHeading();

// "Verifica Natura IVA": the rows listed in the result list, or the message
// that none is missing.
CommandResult checkJournalNatures(AppContext& ctx, const ResultsSink& show = {});

} // namespace corv

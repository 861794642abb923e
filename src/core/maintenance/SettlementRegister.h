#pragma once

#include "maintenance/MaintenanceList.h"
#include "util/Amount.h"

#include <QList>
#include <QMap>
#include <QString>
#include <optional>
#include <utility>

namespace corv {

class AppContext;

// The settlement side of F_StLiq: every settlement summary of the open
// Ardea company with its state, total, the taxable amounts of its period per
// VAT register and, from 2017, its adjustments; and the change of state of
// the settlements chosen.
class SettlementRegister {
public:
    SettlementRegister(AppContext& ctx, MaintenanceList& list);

    static QString heading();
    // The text of a state letter ("P" Provvisoria, "D" Definitiva, "S"
    // Stampata); empty for any other letter.
    static QString stateText(const QString& letter);
    // The state choices of Cmb_StLiq.
    static QStringList stateChoices();
    // The width of the two adjustment descriptions.
    static constexpr int kDescriptionWidth = 30;

    // The refresh: the list filled anew, newest first. False (told) on an error.
    bool refresh();
    // A settlement as read, for the line of the same number.
    struct Settlement {
        int year = 0;
        QString periodType;
        QString period; // as stored
        QString state;
    };
    const QList<Settlement>& settlements() const { return settlements_; }

    // Cmd_SET: the chosen lines moved to the state of `choice` (its first
    // letter: P, D or S) after the question. Returns the settlements changed;
    // lines already in that state, and settlements gone since the refresh,
    // are left. The list is refreshed.
    int setState(const QList<int>& selected, const QString& choice);
    // Cmd_Elenco: the heading and the lines to a text file in the viewer.
    QString listToViewer(const QString& companyLabel);

private:
    // The taxable amounts by year, month and register, read in one pass.
    bool readRegisterTotals();
    QString line(const Settlement& s, const QVariantList& amounts, const QStringList& descriptions) const;

    AppContext& ctx_;
    MaintenanceList& list_;
    QList<Settlement> settlements_;
    // The taxable totals of a month by kind of register; unset: no lines.
    struct MonthTotals {
        std::optional<Amount> sales, receipts, purchases;
    };
    QMap<std::pair<int, int>, MonthTotals> monthTotals_; // by year and month
};

} // namespace corv

#pragma once

#include "maintenance/MaintenanceList.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace corv {

class AppContext;

// What the article search looks for.
struct ArticleSearch {
    QString cutOff;               // Dat_Obs, dd/mm/yyyy
    bool alreadyObsolete = false; // Chk_YetObs
    QString code;                 // Txt_CodArt
    int matchMode = 0;            // Cmb_ConfArt
    QString description;          // Txt_DesArt
    QString group, subgroup, line;
};

// The stock side of F_StLiq: the articles without stock movements, orders
// or contract prices since a cut-off date, stamped obsolete at that date (or
// freed again), and a discounted list price copied into the standard cost.
class ArticleObsolescence {
public:
    ArticleObsolescence(AppContext& ctx, MaintenanceList& list);

    // The match modes of Cmb_ConfArt, and the valuation criteria of Cmb_Valor.
    static QStringList matchModes();
    static QStringList valuationCriteria();
    // The line of an article: "code|description|row type|obsolete|group|subgroup|line|".
    static QString heading();

    // Cmd_ArtObs. Between two articles a stop request asks "Interruzione
    // Ricerca ??". False when it did not run to its end (refused date,
    // stopped, database error).
    bool search(const ArticleSearch& search);
    // Cmd_Go: the selected articles stamped obsolete at the cut-off date, or,
    // for a list of articles already obsolete, freed. The mode is the one of
    // the search that filled the list. Returns the articles changed.
    int apply(const QList<int>& selected, const QString& cutOff);

    // The lookup of a group ("GruM"), subgroup ("SGruM", within `group`) or
    // line ("Linea") in the list viewer: the code and description chosen.
    struct Choice {
        QString code;
        QString description;
    };
    std::optional<Choice> lookUp(const QString& which, const QString& group = {});
    // The description of a code of those tables; empty when there is none.
    QString describe(const QString& which, const QString& code);

    // The price lists of Cmb_List.
    QStringList priceLists();
    // Cmd_Lst2Std: the cost type asked; type 1 copies the list price less the
    // discount asked into the standard cost of every article of the list,
    // rounded to the currency's price decimals. Returns the articles changed.
    int transferCosts(const QString& priceList);
    // The standard cost from a list price and a discount percentage, rounded
    // to `decimals` (half away from zero).
    static QString discountedCost(const QString& listPrice, const QString& discount, int decimals);
    // A discount as typed (comma or dot), 0 to 100; nullopt otherwise.
    static std::optional<QString> parseDiscount(const QString& typed);

private:
    std::optional<QDate> cutOffDate(const QString& text);
    int listPriceTransfer(const QString& priceList);
    int priceDecimals();

    AppContext& ctx_;
    MaintenanceList& list_;
};

} // namespace corv

#pragma once

#include "platform/CorvinaCompany.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace corv {

class AppContext;

// The three windows that set flags on many VAT codes or accounting reasons
// at once: one logic, three descriptions.
enum class FlagSource { ArdeaVatCodes, CorvinaVatCodes, CorvinaReasons };

// An indicator of the chooser: its name, the column it sets (empty: choosing
// it changes nothing) and its values, "code=description".
struct FlagIndicator {
    QString name;
    QString column;
    QStringList values;
};

struct FlagListDescription {
    FlagSource source;
    QString objectName;
    QString caption;
    QString header;
    QList<FlagIndicator> indicators;
    QString applyCaption;  // Cmd_Go
    QString selectCaption; // Cmd_SelOK
    QString reportPrefix;  // "\CIVA_", "\CCONT_"
    QString reportTitle;
    QString emptyListMessage;
};
const FlagListDescription& flagListDescription(FlagSource source);

// The value's code: the text before "=" (a blank code is a blank).
QString flagValueCode(const QString& value);

// The Boolean flags of the reason window, as (check box, column, caption).
struct BooleanFlag {
    const char* box;
    const char* column;
    const char* caption;
};
inline constexpr BooleanFlag kReasonFlags[] = {{"Chk_Consid", "InVATData", "Considera"},
                                               {"Chk_VarCEE", "VATVariationNote", "NotaCred CEE"},
                                               {"Chk_AutoFt", "VATSelfInvoice", "Autofattura"},
                                               {"Chk_RevCh", "VATReverseCharge", "Reverse Charge"}};

// The logic of a flags window: its sources, its list, the selection of the
// rows to correct, the changes and the list report. Every value is bound;
// each change is written row by row.
class FlagList {
public:
    // `corvina`: the console's Corvina companies.
    FlagList(AppContext& ctx, FlagSource source, CorvinaCompanies corvina = {});

    const FlagListDescription& description() const { return description_; }
    // The source chooser's entries: the Ardea common databases, or the Corvina companies.
    QStringList sources() const;
    // Reads the list of a source; false (told to the user) on an error.
    bool read(int source);
    const QStringList& rows() const { return rows_; }
    // Each row's code whole, as stored.
    const QStringList& keys() const { return keys_; }

    // The list read again, and the rows whose indicator differs from the value.
    QList<int> rowsToCorrect(int indicator, const QString& value);
    // The value set on the selected rows; the list read again. Returns the
    // rows changed; rows no longer there are counted and told.
    int apply(const QList<int>& selected, int indicator, const QString& value);
    // The reason window's flags: inverted, or set true, on the selected rows.
    int setFlags(const QList<int>& selected, const QStringList& columns, bool invert);
    // The list written to "CIVA_<source>.TXT" or "CCONT_<source>.TXT", the
    // selected rows marked; the path, empty when nothing was written.
    QString report(const QList<int>& selected);
    QString sourceName() const;

private:
    struct Target;
    bool updateRows(const QList<int>& selected, const std::function<bool(Target&)>& change, int* changed);

    AppContext& ctx_;
    const FlagListDescription& description_;
    CorvinaCompanies corvina_;
    QStringList rows_;
    QStringList keys_;          // each row's code, apart from its cut display text
    QList<QStringList> values_; // each row's fields as stored
    int source_ = -1;
};

} // namespace corv

#pragma once

#include "command/ConsoleLists.h"
#include "corvina/CorvinaViews.h"

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringList>

namespace corv {

class AppContext;
class Dialect;

// What a double-clicked reference list asks for: "C" accounting reason,
// "I" VAT code, "A" customer or supplier (key = code + type letter).
struct ListingRequest {
    QChar kind;
    QString row; // the double-clicked row; field 1 is the key
};

struct Listing {
    QString heading;
    QStringList lines;
    bool ran = false;
    bool failed = false; // a database error, told to the user
};

// The Corvina working views, ensured when the console opens.


// The statements of the two listings (values quoted through the dialect).
QString corvinaListingSql(const Dialect& dialect, const QString& company, int year, const ListingRequest& request);
QString ardeaListingSql(const Dialect& dialect, const QDate& from, const QDate& to, const ListingRequest& request);

QString corvinaListingHeading();
QString ardeaListingHeading();

// The VAT lines of the selected Corvina company for the row's key; years from
// 2017 read the VAT data view and end every line with the nature column.
Listing listCorvinaVatLines(AppContext& ctx, const CorvinaCompany& company, const ListingRequest& request);
// The Ardea journal VAT lines for the row's key within the dates (invalid: no bound).
Listing listArdeaVatLines(AppContext& ctx, const QDate& from, const QDate& to, const ListingRequest& request);

} // namespace corv

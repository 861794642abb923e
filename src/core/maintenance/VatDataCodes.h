#pragma once

#include "platform/CorvinaCompany.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace corv {

class AppContext;

// F_CFPISuComDatIVA: the invoice-data communications of a Corvina company
// and year, their issued-invoice rows without a fiscal code or VAT number,
// those codes filled from the customers, the foreign fiscal codes filled, and
// the VAT codes selected by an indicator's value. The list knows what it
// holds (rows or VAT codes); the data of each line is kept apart from its text.
class VatDataCodes {
public:
    VatDataCodes(AppContext& ctx, const CorvinaCompany& company);

    static QStringList indicators();
    static QStringList indicatorValues(int indicator);
    static QString rowsHeading();
    static QString vatCodesHeading();

    const QString& company() const { return company_; }
    int year() const { return year_; }

    bool readCommunications();
    const QStringList& communications() const { return communications_; }

    enum class Holds { Nothing, Rows, VatCodes };
    Holds holds() const { return holds_; }
    const QStringList& lines() const { return lines_; }
    QString heading() const;

    // The rows of a communication (its index in communications()) without codes.
    bool readRows(int communication);
    // Cmd_Go: the codes of the customers into the rows; the rows changed.
    int fillCodes();
    // Cmd_Foreign: the empty foreign fiscal codes filled; the report's path
    // (opened in the viewer), empty when nothing ran.
    QString fillForeignCodes();
    // Cmd_ReadIVA.
    bool readVatCodes();
    // Cmd_SelOK: the VAT codes read again; the lines whose indicator holds the value.
    QList<int> matching(int indicator, const QString& valueEntry);
    // The right click on the list: the file "ComIVAPICF_<communication>.TXT"
    // opened in the viewer; its path.
    QString printList(int indicator);

private:
    struct IssuedRow {
        QString code;
        int row = 0;
        QVariant type;
    };
    QString typeCondition(const QVariant& type, QVariantList& values) const;

    AppContext& ctx_;
    QString company_;
    int year_ = 0;
    QString group_;
    QStringList communications_;
    QList<int> communicationNumbers_;
    int communication_ = -1; // the number of the communication listed
    Holds holds_ = Holds::Nothing;
    QStringList lines_;
    QList<IssuedRow> rows_;
    QList<QStringList> vatCodeFields_;
};

} // namespace corv

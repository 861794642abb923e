#pragma once

#include "platform/CorvinaCompany.h"

#include <QString>
#include <QStringList>

namespace corv {

class AppContext;

// The two windows that list a Corvina company's VAT lines of one VAT nature
// (F_NatIVA, "Movimenti per Natura IVA") or one document type (F_TipDoc,
// "Movimenti per Tipo Documento"): one logic, two descriptions.
enum class VatLineKind { Nature, DocumentType };

class VatLineListing {
public:
    VatLineListing(AppContext& ctx, VatLineKind kind);

    static QString objectNameOf(VatLineKind kind);
    static QString captionOf(VatLineKind kind);
    QString objectName() const { return objectNameOf(kind_); }
    QString caption() const { return captionOf(kind_); }
    // The values of Cmb_Natura, "code=description".
    QStringList values() const;
    QString header() const;

    // The listing of a company row ("code|year|..."), the value chosen and
    // Chk_NatZero. The list is emptied first; nothing is listed for code 0
    // without the tick, and the document types not before 2017 (told). False
    // when nothing was read.
    bool list(const CorvinaCompany& chosen, const QString& value, bool zeroTicked);
    const QStringList& lines() const { return lines_; }
    // The right click: the lines to a text file opened in the viewer.
    QString listToViewer(const QString& companyRow);

    // The message of the years the document types do not cover.
    static QString notBefore2017Message() { return QStringLiteral("NON ABILITATO PER Anno<2017 !!"); }

private:
    AppContext& ctx_;
    VatLineKind kind_;
    QStringList lines_;
    bool viewsChecked_ = false;
};

} // namespace corv

#include "maintenance/VatDataCodes.h"

#include "db/ConnectionString.h"
#include "db/Connections.h"
#include "db/RowReader.h"
#include "journal/RowLines.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/FixedLine.h"
#include "report/ReportFile.h"
#include "util/Feedback.h"

#include <QSqlError>
#include <QSqlQuery>

namespace corv {

namespace {

const QString kCaption = QStringLiteral("PI/CF su Comunicazione Dati Fatture");

// The VAT code columns of the indicators, in their order; the communication
// and goods-or-services flags have no column in Corvina's VAT codes here.
const char* const kIndicatorColumns[] = {"VATNatureType", "C3Type", "", "OperationType", ""};

QString trimmedText(const RowReader& r, int column) { return column >= 0 ? r.text(column).trimmed() : QString(); }

} // namespace

VatDataCodes::VatDataCodes(AppContext& ctx, const CorvinaCompany& company)
    : ctx_(ctx), company_(company.code), year_(company.year), group_(company.group)
{
}

QStringList VatDataCodes::indicators()
{
    return {QStringLiteral("Natura IVA"), QStringLiteral("Allegato"), QStringLiteral("Dichiarazione Periodica IVA"), QStringLiteral("Tipo IVA"),
            QStringLiteral("Operazione Intra")};
}

QStringList VatDataCodes::indicatorValues(int indicator)
{
    switch (indicator) {
    case 0:
        return {QStringLiteral("0=Non Definito"), QStringLiteral("1= N1 : Escl. Ex. Art. 15              "),
                QStringLiteral("2= N2 : Non Soggetto                   "), QStringLiteral("3= N3 : Non Imponibile                 "),
                QStringLiteral("4= N4 : Esenti                         "), QStringLiteral("5= N5 : Regime Margine IVA non esposta "),
                QStringLiteral("6= N6 : Inversione contabile (Rev.Cha.)"), QStringLiteral("7= N7 : IVA Assolta in altro stato UE  ")};
    case 1:
        return {QStringLiteral("0=Imponibile"), QStringLiteral("1=Non Imponibile"), QStringLiteral("2=Esente"), QStringLiteral("3=Non in Allegato"),
                QStringLiteral("4=Impon IVA Non Esposta")};
    case 2: return {QStringLiteral("0=NO"), QStringLiteral("1=Comunicazione Dati IVA/Liquidazione"), QStringLiteral("2=Solo Liquidazione")};
    case 3:
        return {QStringLiteral("E=Operazioni Esenti"), QStringLiteral("I=Operazioni Imponibili/normali"), QStringLiteral("N=Operazioni Non imponibili"),
                QStringLiteral("C=Operazioni Comunitarie")};
    case 4: return {QStringLiteral(" =Non definito"), QStringLiteral("B=Acquisti / cessioni Beni"), QStringLiteral("S=Acquisti / cessioni Servizi")};
    default: return {};
    }
}

QString VatDataCodes::rowsHeading()
{
    return QStringLiteral("Cod.C/F   |Riga |T|Naz|Codice Fiscale  |Partita IVA     |Ragione Sociale               |Indirizzo                     |CAP  |"
                          "Città               |Pr|");
}

QString VatDataCodes::vatCodesHeading() { return QStringLiteral("Cod. |Descrizione                   | % IVA|Nat.|All.|Dic.|Tipo|Intr|"); }

QString VatDataCodes::heading() const { return holds_ == Holds::VatCodes ? vatCodesHeading() : rowsHeading(); }

bool VatDataCodes::readCommunications()
{
    communications_.clear();
    communicationNumbers_.clear();
    if (company_.isEmpty() || year_ == 0)
        return false; // no company chosen on the console: the lists stay empty
    RowReader reader(ctx_.connections().db(Connections::Corvina));
    if (!reader.exec(QStringLiteral("SELECT * FROM VATInvoiceData WHERE CompanyCode=? AND VATYear=? AND Canceled=0 ORDER BY SupplyProgr DESC"),
                     {company_, year_})) {
        ctx_.ui().critical(QStringLiteral("Errore nella lettura delle comunicazioni :\r\n") + reader.error(), kCaption);
        return false;
    }
    QList<int> at;
    for (const char* name : {"SupplyProgr", "Period", "SubscriberFiscalCode", "VATFiscalCodeId", "OfficeAddress"})
        at << reader.indexOf(QLatin1String(name));
    while (reader.next()) {
        QStringList fields;
        for (int column : at)
            fields << trimmedText(reader, column);
        communications_ << fields.join(QLatin1Char('|'));
        communicationNumbers_ << fields[0].toInt();
    }
    if (readToTheEnd(ctx_, reader, QStringLiteral("Errore nella lettura delle comunicazioni :")))
        return true;
    communications_.clear();
    communicationNumbers_.clear();
    return false;
}

bool VatDataCodes::readRows(int communication)
{
    holds_ = Holds::Rows;
    lines_.clear();
    rows_.clear();
    communication_ = communication >= 0 && communication < communicationNumbers_.size() ? communicationNumbers_[communication] : -1;
    if (communication_ < 0)
        return false;
    RowReader reader(ctx_.connections().db(Connections::Corvina));
    if (!reader.exec(QStringLiteral("SELECT * FROM VATInvoiceDataIssued WHERE CompanyCode=? AND VATYear=? AND SupplyProgr=?"
                                    " AND (VATFiscalCodeId IS NULL) AND (FiscalCode IS NULL) ORDER BY CustSupplCode, SupplyRowProgr"),
                     {company_, year_, communication_})) {
        ctx_.ui().critical(QStringLiteral("Errore nella lettura delle righe della comunicazione :\r\n") + reader.error(), kCaption);
        return false;
    }
    const auto at = [&](const char* name) { return reader.indexOf(QLatin1String(name)); };
    while (reader.next()) {
        const int type = at("CustSupplType");
        rows_.append({trimmedText(reader, at("CustSupplCode")), reader.text(at("SupplyRowProgr")).toInt(),
                      reader.isNull(type) ? QVariant() : QVariant(reader.text(type).trimmed())});
        FixedLine line;
        line.text(reader.text(at("CustSupplCode")), 10).right(reader.text(at("SupplyRowProgr")).trimmed(), 5).text(reader.text(type), 1)
            .text(reader.text(at("CountryId")), 3).text(reader.text(at("FiscalCode")), 16).text(reader.text(at("VATFiscalCodeId")), 16)
            .text(reader.text(at("CompanyName")), 30).text(reader.text(at("OfficeAddress")), 30).text(reader.text(at("OfficePostalCode")), 5)
            .text(reader.text(at("OfficeCity")), 20).text(reader.text(at("OfficeProvince")), 2);
        lines_ << line.take();
    }
    if (readToTheEnd(ctx_, reader, QStringLiteral("Errore nella lettura delle righe della comunicazione :")))
        return true;
    lines_.clear();
    rows_.clear();
    return false;
}

QString VatDataCodes::typeCondition(const QVariant& type, QVariantList& values) const
{
    // A customer without a type is one whose type is Null (or empty), never broken SQL.
    if (!type.isValid() || type.toString().trimmed().isEmpty())
        return QStringLiteral(" AND (CustSupplType IS NULL OR CustSupplType='')");
    values << type.toString().trimmed();
    return QStringLiteral(" AND CustSupplType=?");
}

int VatDataCodes::fillCodes()
{
    Ui& ui = ctx_.ui();
    if (holds_ != Holds::Rows || rows_.isEmpty()) {
        ui.critical(QStringLiteral("NESSUN Nominativo in elenco !!"), kCaption);
        ui.beep();
        return 0;
    }
    const QSqlDatabase db = ctx_.connections().db(Connections::Corvina);
    ctx_.log().write(QStringLiteral("Correzione Com.Dati IVA : azienda ") + company_ + QStringLiteral(" anno %1 comunicazione %2").arg(year_).arg(communication_));
    int changed = 0;
    Feedback feedback = ctx_.feedback();
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        const IssuedRow& r = rows_[i];
        if (feedback.stopRequested()) {
            // Stopped between two rows: the rows corrected stay corrected.
            ui.status(QStringLiteral("Correzione Comunicazione Dati IVA interrotta : %1 righe corrette.").arg(changed));
            return changed;
        }
        feedback.step([&] { return lines_.value(i); });
        QVariantList values{company_, year_};
        QString customer = QStringLiteral("SELECT FiscalCode, VATRegNo FROM CustomerSupplier WHERE CompanyCode=? AND VATYear=?") + typeCondition(r.type, values)
                           + QStringLiteral(" AND CustSupplCode=?");
        values << r.code;
        ctx_.log().write(QStringLiteral("  Cliente : ") + customer);
        QString fiscal, vat;
        {
            RowReader reader(db);
            if (!reader.exec(customer, values)) {
                ui.critical(QStringLiteral("Errore nella lettura del cliente ") + r.code + QStringLiteral(" :\r\n") + reader.error(), kCaption);
                return changed;
            }
            if (!reader.next())
                continue; // not found: the row stays as it is
            fiscal = reader.text(0).trimmed();
            vat = reader.text(1).trimmed();
        }
        if (fiscal.isEmpty() && vat.isEmpty())
            continue;
        QVariantList keys{company_, year_, communication_};
        const QString where = QStringLiteral(" WHERE CompanyCode=? AND VATYear=? AND SupplyProgr=?") + typeCondition(r.type, keys)
                              + QStringLiteral(" AND CustSupplCode=? AND SupplyRowProgr=?");
        keys << r.code << r.row;
        QString rowFiscal, rowVat;
        bool found = false;
        {
            RowReader reader(db);
            if (!reader.exec(QStringLiteral("SELECT FiscalCode, VATFiscalCodeId FROM VATInvoiceDataIssued") + where, keys)) {
                ui.critical(QStringLiteral("Errore nella lettura della riga ") + r.code + QStringLiteral(" :\r\n") + reader.error(), kCaption);
                return changed;
            }
            found = reader.next();
            if (found) {
                rowFiscal = reader.text(0).trimmed();
                rowVat = reader.text(1).trimmed();
            }
        }
        if (!found)
            continue;
        QStringList sets;
        QVariantList setValues;
        if (rowFiscal.isEmpty() && !fiscal.isEmpty()) {
            sets << QStringLiteral("FiscalCode=?");
            setValues << fiscal;
        }
        if (rowVat.isEmpty() && !vat.isEmpty()) {
            sets << QStringLiteral("VATFiscalCodeId=?");
            setValues << vat;
        }
        if (sets.isEmpty())
            continue;
        QSqlQuery update(db);
        const QString sql = QStringLiteral("UPDATE VATInvoiceDataIssued SET ") + sets.join(QStringLiteral(", ")) + where;
        ctx_.log().write(QStringLiteral("  Riga : ") + sql);
        update.prepare(sql);
        for (const QVariant& v : setValues + keys)
            update.addBindValue(v);
        if (!update.exec()) {
            ui.critical(QStringLiteral("Errore nell'aggiornamento della riga ") + r.code + QStringLiteral(" :\r\n") + update.lastError().text(), kCaption);
            return changed;
        }
        ++changed;
    }
    ui.status(QStringLiteral("Terminata Correzione Comunicazione Dati IVA."));
    return changed;
}

QString VatDataCodes::fillForeignCodes()
{
    Ui& ui = ctx_.ui();
    if (!ui.askToChange(QStringLiteral("Confermi compilazione CF Estero su Corvina ?"))) {
        ui.beep();
        return {};
    }
    const QSqlDatabase db = ctx_.connections().db(Connections::Corvina);
    struct Subject {
        QString code, name, candidate;
        QVariant type;
    };
    QList<Subject> subjects;
    {
        RowReader reader(db);
        if (!reader.exec(QStringLiteral("SELECT CustSupplCode, CustSupplType, CompanyName, FiscalCode, VATRegNo, GroupingCode FROM CustomerSupplier"
                                        " WHERE CompanyCode=? AND VATYear=? AND ForeignFiscalCode IS NULL AND IntrastatNationArea<>1 ORDER BY CompanyName"),
                         {company_, year_})) {
            ui.critical(QStringLiteral("Errore nella lettura dei clienti e fornitori :\r\n") + reader.error(), kCaption);
            return {};
        }
        while (reader.next()) {
            // The fiscal code, else the VAT number, else the grouping code.
            QString candidate = reader.text(3).trimmed();
            if (candidate.isEmpty())
                candidate = reader.text(4).trimmed();
            if (candidate.isEmpty())
                candidate = reader.text(5).trimmed();
            if (!candidate.isEmpty())
                subjects.append({reader.text(0).trimmed(), reader.text(2).trimmed(), candidate, reader.isNull(1) ? QVariant() : QVariant(reader.text(1).trimmed())});
        }
        if (!readToTheEnd(ctx_, reader, QStringLiteral("Errore nella lettura dei clienti e fornitori :")))
            return {}; // nothing filled from part of the list
    }
    ReportFile report(reportPath(ctx_.paths(), QStringLiteral("\\CFEsteroCV_") + company_ + QStringLiteral("_%1.log").arg(year_)));
    report.write(QStringLiteral("Compilazione CF Estero Corvina - Azienda ") + company_ + QStringLiteral(" anno %1").arg(year_));
    Feedback feedback = ctx_.feedback();
    bool stopped = false;
    for (const Subject& s : subjects) {
        if (feedback.stopRequested()) {
            stopped = true; // what was filled stays filled, and the report says it
            report.write(QStringLiteral("*** Interrotto dall'utente"));
            break;
        }
        feedback.step([&] { return s.name; });
        QVariantList values{s.candidate, company_, year_};
        QSqlQuery update(db);
        update.prepare(QStringLiteral("UPDATE CustomerSupplier SET ForeignFiscalCode=? WHERE CompanyCode=? AND VATYear=?") + typeCondition(s.type, values)
                       + QStringLiteral(" AND CustSupplCode=? AND ForeignFiscalCode IS NULL"));
        values << s.code;
        for (const QVariant& v : values)
            update.addBindValue(v);
        if (!update.exec()) {
            ui.critical(QStringLiteral("Errore nell'aggiornamento di ") + s.name + QStringLiteral(" :\r\n") + update.lastError().text(), kCaption);
            break;
        }
        report.write(QStringLiteral("Corretto Estero : ") + s.code + QLatin1Char(' ') + s.name + QStringLiteral("|  >>  ") + s.candidate);
    }
    ui.status(stopped ? QStringLiteral("Correzione CF Esteri Corvina interrotta.") : QStringLiteral("Completata correzione CF Esteri Corvina."));
    if (!report.close()) {
        ui.critical(report.failureText(), kCaption);
        return {};
    }
    presentReport(ui, ctx_.viewer(), report.path());
    return report.path();
}

bool VatDataCodes::readVatCodes()
{
    holds_ = Holds::VatCodes;
    lines_.clear();
    vatCodeFields_.clear();
    ctx_.log().write(QStringLiteral("===== F_CACEf.Cmd_ReadIVA"));
    ctx_.log().write(QStringLiteral("    T_Az :") + company_);
    ctx_.log().write(QStringLiteral("    T_An :%1").arg(year_));
    ctx_.log().write(QStringLiteral("    T_Gr :") + group_);
    ctx_.log().write(QStringLiteral("    T_Sel :SELECT * FROM VATCode"));
    ctx_.log().write(QStringLiteral("    T_Whe : WHERE (CompanyGroupCode=?) AND VATYear=?"));
    ctx_.log().write(QStringLiteral("    T_Ord : ORDER BY VATPercentage, VATName, VATCode"));
    ctx_.log().write(QStringLiteral("    CnEf  :") + maskConnectionPassword(connectionStringOf(ctx_.connections().db(Connections::Corvina))));
    RowReader reader(ctx_.connections().db(Connections::Corvina));
    const bool ok = reader.exec(QStringLiteral("SELECT * FROM VATCode WHERE (CompanyGroupCode=?) AND VATYear=? ORDER BY VATPercentage, VATName, VATCode"),
                                {group_, year_});
    if (!ok) {
        ctx_.ui().critical(QStringLiteral("Errore nella lettura dei codici IVA :\r\n") + reader.error(), kCaption);
        return false;
    }
    const auto at = [&](const char* name) { return *name ? reader.indexOf(QLatin1String(name)) : -1; };
    while (reader.next()) {
        QStringList fields{trimmedText(reader, at("VATCode")), trimmedText(reader, at("VATName")), trimmedText(reader, at("VATPercentage"))};
        for (const char* column : kIndicatorColumns)
            fields << trimmedText(reader, at(column));
        FixedLine line;
        line.text(fields[0], 5).text(fields[1], 30).number(reader.value(at("VATPercentage")), 6, 2);
        for (int i = 3; i < fields.size(); ++i)
            line.text(fields[i], 4);
        lines_ << line.take();
        vatCodeFields_ << fields;
    }
    if (!readToTheEnd(ctx_, reader, QStringLiteral("Errore nella lettura dei codici IVA :"))) {
        lines_.clear();
        vatCodeFields_.clear();
        return false;
    }
    ctx_.log().write(QStringLiteral("Rs_Tmp  BOF, EOF : %1").arg(lines_.isEmpty() ? QStringLiteral("True, True") : QStringLiteral("False, False")));
    return true;
}

QList<int> VatDataCodes::matching(int indicator, const QString& valueEntry)
{
    QList<int> selected;
    if (!readVatCodes() || indicator < 0 || indicator >= 5)
        return selected;
    const QString value = valueEntry.section(QLatin1Char('='), 0, 0).trimmed();
    // Field (indicator + 4) of the line, counted from 1: the indicator's column.
    for (int i = 0; i < vatCodeFields_.size(); ++i) {
        if (vatCodeFields_[i].value(indicator + 3).trimmed() == value)
            selected << i;
    }
    return selected;
}

QString VatDataCodes::printList(int indicator)
{
    const QString heading = QStringLiteral("Senza P.IVA./C.F. - %1").arg(communication_);
    QStringList lines{heading, QString(heading.size(), QLatin1Char('-')), this->heading(), QString(this->heading().size(), QLatin1Char('-'))};
    lines += lines_;
    const QStringList names = indicators();
    for (int i = 0; i < names.size(); ++i) {
        if (indicator >= 0 && i != indicator)
            continue;
        lines << QStringLiteral("- ") + names[i];
        for (const QString& value : indicatorValues(i))
            lines << QStringLiteral("  ") + value;
    }
    return writeAndPresentReport(ctx_.ui(), ctx_.viewer(), reportPath(ctx_.paths(), QStringLiteral("\\ComIVAPICF_%1.TXT").arg(communication_)), lines, kCaption);
}

} // namespace corv

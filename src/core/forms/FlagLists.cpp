#include "forms/FlagLists.h"

#include "command/ConsoleLists.h"
#include "db/ConnectionString.h"
#include "db/Connections.h"
#include "db/RowEditor.h"
#include "db/ScopedConnection.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/FixedLine.h"
#include "report/ReportFile.h"
#include "util/TextUtil.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace corv {

namespace {

const QStringList kDeclaration = {QStringLiteral("0=NO"), QStringLiteral("1=Comunicazione Dati IVA/Liquidazione"), QStringLiteral("2=Solo Liquidazione")};
const QStringList kVatKind = {QStringLiteral("E=Operazioni Esenti"), QStringLiteral("I=Operazioni Imponibili/normali"),
                              QStringLiteral("N=Operazioni Non imponibili"), QStringLiteral("C=Operazioni Comunitarie")};
const QStringList kIntra = {QStringLiteral(" =Non definito"), QStringLiteral("B=Acquisti / cessioni Beni"), QStringLiteral("S=Acquisti / cessioni Servizi")};
const QStringList kAttachment = {QStringLiteral("0=Imponibile"), QStringLiteral("1=Non Imponibile"), QStringLiteral("2=Esente"),
                                 QStringLiteral("3=Non in Allegato"), QStringLiteral("4=Impon IVA Non Esposta")};

FlagListDescription ardeaDescription()
{
    return {FlagSource::ArdeaVatCodes,
            QStringLiteral("F_ARIvaFlg"),
            QStringLiteral("Modifica Indicatori Codici IVA Ardea"),
            QStringLiteral("Cod| Descrizione                  |% IVA|3000|All.|Dich|Tipo|Intr|"),
            {{QStringLiteral("Spesometro (3000)"), QStringLiteral("ind_tipo_3000"),
              {QStringLiteral("0=Non Definito"), QStringLiteral("1=Imponibile"), QStringLiteral("2=Non Imponibile"), QStringLiteral("3=Esente")}},
             {QStringLiteral("Allegato"), QStringLiteral("ind_allegato"), kAttachment},
             {QStringLiteral("Dichiarazione Periodica IVA"), QStringLiteral("ind_dich_per"), kDeclaration},
             {QStringLiteral("Tipo IVA"), QStringLiteral("ind_tipo_iva"), kVatKind},
             {QStringLiteral("Operazione Intra"), QStringLiteral("ind_opeintra"), kIntra}},
            QStringLiteral("Correggi"),
            QStringLiteral("Seleziona corretti"),
            QStringLiteral("\\CIVA_"),
            QStringLiteral("Indicatori Codici IVA. - "),
            QStringLiteral("Nessun Codice IVA in elenco !!")};
}

FlagListDescription corvinaVatDescription()
{
    return {FlagSource::CorvinaVatCodes,
            QStringLiteral("F_CACEf"),
            QStringLiteral("Modifica Indicatori Codici IVA Corvina"),
            QStringLiteral("Cod. | Descrizione                  | % IVA|Nat.|"),
            {{QStringLiteral("Natura IVA"), QStringLiteral("VATNatureType"),
              {QStringLiteral("0=Non Definito"), QStringLiteral("1= N1 : Escl. Ex. Art. 15              "),
               QStringLiteral("2= N2 : Non Soggetto                   "), QStringLiteral("3= N3 : Non Imponibile                 "),
               QStringLiteral("4= N4 : Esenti                         "), QStringLiteral("5= N5 : Regime Margine IVA non esposta "),
               QStringLiteral("6= N6 : Inversione contabile (Rev.Cha.)"), QStringLiteral("7= N7 : IVA Assolta in altro stato UE  ")}},
             {QStringLiteral("Allegato"), QString(), kAttachment},
             {QStringLiteral("Dichiarazione Periodica IVA"), QString(), kDeclaration},
             {QStringLiteral("Tipo IVA"), QString(), kVatKind},
             {QStringLiteral("Operazione Intra"), QString(), kIntra}},
            QStringLiteral("Esegui"),
            QStringLiteral("Seleziona corretti"),
            QStringLiteral("\\CIVA_"),
            QStringLiteral("Indicatori Codici IVA. - "),
            QStringLiteral("Nessun Codice IVA in elenco !!")};
}

FlagListDescription corvinaReasonDescription()
{
    return {FlagSource::CorvinaReasons,
            QStringLiteral("F_CACEfCau"),
            QStringLiteral("Modifica Indicatori Causali Corvina"),
            QStringLiteral("Cod. | Descrizione                  |C|V|A|R|Tipo|Esig|"),
            {{QStringLiteral("Tipo Documento"), QStringLiteral("VATDocumentType"),
              {QStringLiteral("0=Non Definito"), QStringLiteral("1= TD01 : Fattura                        "),
               QStringLiteral("2= TD04 : Nota di Credito                "), QStringLiteral("3= TD05 : Nota di Debito                 "),
               QStringLiteral("4= TD07 : Fattura semplificata           "), QStringLiteral("5= TD08 : Nota di credito semplificata   "),
               QStringLiteral("6= TD10 : Fattura Acq. INTRA Beni        "), QStringLiteral("7= TD11 : Fattura Acq. INTRA Servizi     ")}},
             {QStringLiteral("Esigibilità IVA"), QStringLiteral("ChargeabilityTax"),
              {QStringLiteral("0=Immediata    "), QStringLiteral("1=Differita    "), QStringLiteral("2=Split Payment")}},
             {QStringLiteral("Dichiarazione Periodica IVA"), QString(), kDeclaration},
             {QStringLiteral("Tipo IVA"), QString(), kVatKind},
             {QStringLiteral("Operazione Intra"), QString(), kIntra}},
            QStringLiteral("Esegui"),
            QStringLiteral("Inverti Selezione"),
            QStringLiteral("\\CCONT_"),
            QStringLiteral("Indicatori Causali Cont.. - "),
            QStringLiteral("Nessuna Causale in elenco !!")};
}

QString textOfValue(const QVariant& value) { return value.isNull() ? QString() : value.toString(); }

// A flag's truth as stored: numbers, "True"/"False", "S"/"N"; Null is false.
bool truthOf(const QVariant& value)
{
    if (value.isNull())
        return false;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed();
    bool number = false;
    const int n = text.toInt(&number);
    if (number)
        return n != 0;
    return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0;
}

// A truth written back in the form the column held it.
QVariant inFormOf(const QVariant& stored, bool truth)
{
    if (stored.isNull())
        return truth ? 1 : 0;
    switch (stored.typeId()) {
    case QMetaType::Bool: return truth;
    case QMetaType::Int:
    case QMetaType::LongLong: return stored.toLongLong() < 0 ? (truth ? -1 : 0) : (truth ? 1 : 0);
    default: break;
    }
    const QString text = stored.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        const QString word = truth ? QStringLiteral("True") : QStringLiteral("False");
        return text[0].isLower() ? word.toLower() : text == text.toUpper() ? word.toUpper() : word;
    }
    if (text.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0 || text.compare(QLatin1String("N"), Qt::CaseInsensitive) == 0)
        return truth ? QStringLiteral("S") : QStringLiteral("N");
    if (text == QLatin1String("-1"))
        return truth ? QStringLiteral("-1") : QStringLiteral("0");
    return truth ? QStringLiteral("1") : QStringLiteral("0");
}

// The value of a code as the column takes it: a number when it is one.
QVariant codeValue(const QString& code)
{
    bool number = false;
    const int n = code.trimmed().toInt(&number);
    return number ? QVariant(n) : QVariant(code);
}

} // namespace

const FlagListDescription& flagListDescription(FlagSource source)
{
    static const FlagListDescription ardea = ardeaDescription(), vat = corvinaVatDescription(), reasons = corvinaReasonDescription();
    switch (source) {
    case FlagSource::ArdeaVatCodes: return ardea;
    case FlagSource::CorvinaVatCodes: return vat;
    case FlagSource::CorvinaReasons: return reasons;
    }
    return ardea;
}

QString flagValueCode(const QString& value)
{
    const qsizetype equals = value.indexOf(QLatin1Char('='));
    return equals < 0 ? value : value.left(equals);
}

// The record a row stands for, found with the same key the list was read by.
struct FlagList::Target {
    QSqlDatabase db;
    QString table;
    RowKey key;
    QVariantMap record;
};

FlagList::FlagList(AppContext& ctx, FlagSource source, CorvinaCompanies corvina)
    : ctx_(ctx), description_(flagListDescription(source)), corvina_(std::move(corvina))
{
}

QStringList FlagList::sources() const
{
    if (description_.source != FlagSource::ArdeaVatCodes) {
        QStringList rows;
        for (const CorvinaCompany& company : corvina_)
            rows << corvinaCompanyRow(company);
        return rows;
    }
    QStringList databases;
    QSqlQuery q(ctx_.connections().db(Connections::ESys));
    q.setForwardOnly(true);
    if (q.exec(QStringLiteral("SELECT des_database_com, COUNT(des_database_com) FROM TS_AZIENDE") + QStringLiteral(" GROUP BY des_database_com")
               + QStringLiteral(" ORDER BY des_database_com"))) {
        while (q.next())
            databases << q.value(0).toString();
    }
    return databases;
}

namespace {

// The connection of the chosen source: a common database of its own, or Corvina's.
class SourceConnection {
public:
    SourceConnection(AppContext& ctx, FlagSource source, const QString& database) : scoped_(QStringLiteral("flags"))
    {
        if (source == FlagSource::ArdeaVatCodes) {
            const LoginState& login = ctx.login();
            text_ = companyConnectionString(ctx.installation().provider(), login.user, login.password, database, login.server);
            opened_ = scoped_.open(text_, &error_);
            db_ = scoped_.db();
        } else {
            db_ = ctx.connections().db(Connections::Corvina);
            text_ = connectionStringOf(db_);
            opened_ = db_.isOpen();
        }
    }
    bool opened() const { return opened_; }
    const QSqlDatabase& db() const { return db_; }
    const QString& text() const { return text_; }
    const QString& error() const { return error_; }

private:
    ScopedConnection scoped_;
    QSqlDatabase db_;
    QString text_;
    QString error_;
    bool opened_ = false;
};

} // namespace

QString FlagList::sourceName() const
{
    if (description_.source == FlagSource::ArdeaVatCodes) {
        const QStringList all = sources();
        return source_ >= 0 && source_ < all.size() ? all[source_] : QString();
    }
    if (source_ < 0 || source_ >= corvina_.size())
        return {};
    const CorvinaCompany& company = corvina_[source_];
    return company.code + QLatin1Char('_') + QString::number(company.year) + (company.group.isEmpty() ? QString() : QLatin1Char('_') + company.group);
}

bool FlagList::read(int source)
{
    rows_.clear();
    keys_.clear();
    values_.clear();
    const QStringList all = sources();
    if (source < 0 || source >= all.size()) {
        ctx_.ui().beep();
        return false;
    }
    source_ = source;
    const QString row = all[source];
    const bool ardea = description_.source == FlagSource::ArdeaVatCodes;
    const CorvinaCompany chosen = ardea ? CorvinaCompany() : corvina_.value(source);
    const QString company = chosen.code;
    const QString year = ardea ? QString() : QString::number(chosen.year);
    const QString group = chosen.group;
    QString select, where, order;
    QVariantList values;
    if (ardea) {
        select = QStringLiteral("SELECT * FROM CA_IVA");
        order = QStringLiteral(" ORDER BY prc_iva,cod_iva, des_iva");
    } else {
        select = description_.source == FlagSource::CorvinaVatCodes ? QStringLiteral("SELECT * FROM VATCode") : QStringLiteral("SELECT * FROM AccountingRsn");
        where = QStringLiteral(" WHERE (CompanyGroupCode=?) AND VATYear=?");
        order = description_.source == FlagSource::CorvinaVatCodes ? QStringLiteral(" ORDER BY VATPercentage, VATName, VATCode")
                                                                   : QStringLiteral(" ORDER BY ReasonCode");
        values << group << year.toInt();
    }
    SourceConnection connection(ctx_, description_.source, row);
    RunLog& log = ctx_.log();
    log.write(QStringLiteral("===== F_CACEf.Cmd_ReadIVA"));
    log.write(QStringLiteral("    T_Az :") + company);
    log.write(QStringLiteral("    T_An :") + year);
    log.write(QStringLiteral("    T_Gr :") + group);
    log.write(QStringLiteral("    T_Sel :") + select);
    log.write(QStringLiteral("    T_Whe :") + where);
    log.write(QStringLiteral("    T_Ord :") + order);
    log.write(QStringLiteral("    CnEf  :") + maskConnectionPassword(connection.text()));
    if (!connection.opened()) {
        ctx_.ui().critical(QStringLiteral("Impossibile aprire il database :\r\n") + row + QStringLiteral("\r\n") + connection.error());
        return false;
    }
    QSqlQuery q(connection.db());
    q.setForwardOnly(true);
    q.prepare(select + where + order);
    for (const QVariant& value : values)
        q.addBindValue(value);
    if (!q.exec()) {
        log.write(QStringLiteral("*** ERRORE lettura : ") + q.lastError().text());
        ctx_.ui().critical(QStringLiteral("Errore di lettura dal database :\r\n") + q.lastError().text());
        return false;
    }
    while (q.next()) {
        const QSqlRecord r = q.record();
        const auto value = [&](const char* column) { return textOfValue(r.value(QLatin1String(column))); };
        // The row's fields as stored, each with the width the list shows it in;
        // the values stay apart from the cut text (the code and the indicators
        // are taken from them).
        QList<std::pair<QVariant, int>> fields;
        const auto field = [&](const char* column, int width) { fields.append({QVariant(value(column)), width}); };
        if (ardea) {
            for (const auto& [column, width] : {std::pair{"cod_iva", 3}, std::pair{"des_iva", 30}, std::pair{"prc_iva", 5}, std::pair{"ind_tipo_3000", 4},
                                                std::pair{"ind_allegato", 4}, std::pair{"ind_dich_per", 4}, std::pair{"ind_tipo_iva", 4},
                                                std::pair{"ind_opeintra", 4}, std::pair{"prc_indetraibile", 5}})
                field(column, width);
            fields.append({r.value(QStringLiteral("dat_obsoleto")), 10});
        } else if (description_.source == FlagSource::CorvinaVatCodes) {
            for (const auto& [column, width] : {std::pair{"VATCode", 5}, std::pair{"VATName", 30}, std::pair{"VATPercentage", 6}, std::pair{"VATNatureType", 4}})
                field(column, width);
        } else {
            field("ReasonCode", 5);
            field("ReasonName", 30);
            for (const BooleanFlag& flag : kReasonFlags)
                field(flag.column, 1);
            field("VATDocumentType", 4);
            field("ChargeabilityTax", 4);
        }
        FixedLine line;
        QStringList stored;
        for (const auto& [fieldValue, width] : fields) {
            line.text(fieldValue, width);
            stored << fieldValue.toString();
        }
        keys_ << stored.first();
        values_ << stored;
        rows_ << line.take();
    }
    log.write(QStringLiteral("Rs_Tmp  BOF, EOF : ") + (rows_.isEmpty() ? QStringLiteral("True, True") : QStringLiteral("False, False")));
    return true;
}

QList<int> FlagList::rowsToCorrect(int indicator, const QString& value)
{
    QList<int> selected;
    if (!read(source_))
        return selected;
    const QString code = flagValueCode(value).trimmed();
    for (int i = 0; i < rows_.size(); ++i) {
        // A blank value matches a blank field.
        if (values_[i].value(indicator + 3).trimmed() != code)
            selected << i;
    }
    return selected;
}

bool FlagList::updateRows(const QList<int>& selected, const std::function<bool(Target&)>& change, int* changed)
{
    const QStringList all = sources();
    if (source_ < 0 || source_ >= all.size())
        return false;
    const QString row = all[source_];
    SourceConnection connection(ctx_, description_.source, row);
    if (!connection.opened()) {
        ctx_.ui().critical(QStringLiteral("Impossibile aprire il database :\r\n") + row + QStringLiteral("\r\n") + connection.error());
        return false;
    }
    const bool ardea = description_.source == FlagSource::ArdeaVatCodes;
    const CorvinaCompany chosen = ardea ? CorvinaCompany() : corvina_.value(source_);
    const QString year = QString::number(chosen.year);
    // The group the list was read with: the rows it shows are found again.
    const QString group = chosen.group;
    int missing = 0;
    *changed = 0;
    const QStringList keys = keys_;
    for (int index : selected) {
        if (index < 0 || index >= keys.size())
            continue;
        const QString code = keys[index];
        Target target{connection.db(), {}, {}, {}};
        if (ardea) {
            target.table = QStringLiteral("CA_IVA");
            target.key = {{QStringLiteral("cod_iva"), code}};
        } else {
            const bool vat = description_.source == FlagSource::CorvinaVatCodes;
            target.table = vat ? QStringLiteral("VATCode") : QStringLiteral("AccountingRsn");
            target.key = {{QStringLiteral("CompanyGroupCode"), group},
                          {QStringLiteral("VATYear"), year.toInt()},
                          {vat ? QStringLiteral("VATCode") : QStringLiteral("ReasonCode"), code}};
        }
        QString where;
        QSqlQuery q(connection.db());
        for (const auto& [column, value] : target.key)
            where += (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + column + QStringLiteral("=?");
        q.prepare(QStringLiteral("SELECT * FROM ") + target.table + where);
        for (const auto& part : target.key)
            q.addBindValue(part.second);
        if (!q.exec() || !q.next()) {
            ++missing;
            continue;
        }
        const QSqlRecord r = q.record();
        for (int i = 0; i < r.count(); ++i)
            target.record.insert(r.fieldName(i), r.value(i));
        q.finish();
        if (!change(target))
            return false;
        ++*changed;
    }
    if (missing > 0)
        ctx_.ui().message(QStringLiteral("%1 codici non più presenti : non modificati").arg(missing));
    return true;
}

namespace {
bool saveChanges(AppContext& ctx, FlagList* /*unused*/, const QSqlDatabase& db, const QString& table, const RowKey& key, const QVariantMap& original,
                 const QVariantMap& changes)
{
    RowEditor editor(db, table, key, original);
    for (auto it = changes.begin(); it != changes.end(); ++it)
        editor.set(it.key(), it.value());
    QString error;
    if (editor.save(&error) == RowEditor::SaveResult::Failed) {
        ctx.log().write(QStringLiteral("*** ERRORE aggiornamento ") + table + QStringLiteral(" : ") + error);
        ctx.ui().critical(QStringLiteral("Errore di aggiornamento del database :\r\n") + error);
        return false;
    }
    return true;
}
} // namespace

int FlagList::apply(const QList<int>& selected, int indicator, const QString& value)
{
    Ui& ui = ctx_.ui();
    if (selected.isEmpty()) {
        ui.critical(QStringLiteral("Nessun codice selezionato per la modifica !!"));
        ui.beep();
        return 0;
    }
    if (value.isEmpty() || indicator < 0 || indicator >= description_.indicators.size()) {
        ui.critical(QStringLiteral("Nessun Valore Indicatore selezionato per la modifica !!"));
        ui.beep();
        return 0;
    }
    const QString column = description_.indicators[indicator].column;
    const QString code = flagValueCode(value);
    int changed = 0;
    updateRows(selected, [&](Target& target) {
        if (column.isEmpty())
            return true; // this window's indicator changes no field
        const QVariant stored = code.trimmed().isEmpty() ? QVariant(code) : (description_.source == FlagSource::ArdeaVatCodes ? QVariant(code) : codeValue(code));
        return saveChanges(ctx_, this, target.db, target.table, target.key, target.record, {{column, stored}});
    }, &changed);
    read(source_);
    return column.isEmpty() ? 0 : changed;
}

int FlagList::setFlags(const QList<int>& selected, const QStringList& columns, bool invert)
{
    if (selected.isEmpty()) {
        ctx_.ui().critical(QStringLiteral("Nessun codice selezionato per la modifica !!"));
        ctx_.ui().beep();
        return 0;
    }
    int changed = 0;
    updateRows(selected, [&](Target& target) {
        QVariantMap changes;
        for (const QString& column : columns) {
            const QVariant stored = target.record.value(column);
            changes.insert(column, inFormOf(stored, invert ? !truthOf(stored) : true));
        }
        return changes.isEmpty() || saveChanges(ctx_, this, target.db, target.table, target.key, target.record, changes);
    }, &changed);
    read(source_);
    return changed;
}

QString FlagList::report(const QList<int>& selected)
{
    Ui& ui = ctx_.ui();
    if (rows_.isEmpty()) {
        ui.critical(description_.emptyListMessage);
        ui.beep();
        return {};
    }
    const QString name = sourceName();
    QStringList lines;
    lines << description_.reportTitle + name << utl::RepeatChar(static_cast<int>(description_.header.size()), QLatin1Char('='))
          << description_.header;
    if (description_.source == FlagSource::CorvinaReasons)
        lines << QStringLiteral("  Considera  |  NotaCred CEE  |  Autofattura  |  Reverse Charge  |");
    for (int i = 0; i < rows_.size(); ++i)
        lines << (selected.contains(i) ? QStringLiteral("- ") : QStringLiteral("  ")) + rows_[i];
    const QString path = reportPath(ctx_.paths(), description_.reportPrefix + name + QStringLiteral(".TXT"));
    QString failure;
    if (!ReportFile::writeAll(path, lines, &failure)) {
        ui.critical(failure);
        return {};
    }
    return path;
}

} // namespace corv

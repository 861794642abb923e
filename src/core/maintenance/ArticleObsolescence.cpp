#include "maintenance/ArticleObsolescence.h"

#include "util/MaskedDate.h"
#include "db/Connections.h"
#include "db/Dialect.h"
#include "db/RowReader.h"
#include "journal/RowLines.h"
#include "listview/Rs2List.h"
#include "platform/IniFile.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/FixedLine.h"
#include "util/Amount.h"
#include "util/Feedback.h"
#include "settings/Settings.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace corv {

namespace {

const QString kStockCaption = QStringLiteral("Obsolescenza Articoli");

// The database's Null as the engine takes it for a date column.
QVariant noDate(const Dialect& dialect) { return dialect.dateParameter(QDate()); }

bool execBound(QSqlQuery& q, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    return q.exec();
}

// Plain decimal text with a dot, as a statement binds it.
QString plainDecimal(std::int64_t units, int decimals)
{
    const bool negative = units < 0;
    const std::uint64_t magnitude = negative ? static_cast<std::uint64_t>(-(units + 1)) + 1 : static_cast<std::uint64_t>(units);
    QString text = QString::number(magnitude / 10000);
    if (decimals > 0)
        text += QLatin1Char('.') + QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0')).left(decimals);
    return negative ? QLatin1Char('-') + text : text;
}

} // namespace

ArticleObsolescence::ArticleObsolescence(AppContext& ctx, MaintenanceList& list) : ctx_(ctx), list_(list) {}

QStringList ArticleObsolescence::matchModes()
{
    return {QStringLiteral("Inizia per ..."), QStringLiteral("Finisce per ..."), QStringLiteral("Uguale a ..."), QStringLiteral("Contiene ..."),
            QStringLiteral("Non Contiene ...")};
}

QStringList ArticleObsolescence::valuationCriteria()
{
    return {QStringLiteral("Costo medio Ponderato"), QStringLiteral("Costo medio annuale"), QStringLiteral("Solo Iniziale")};
}

QString ArticleObsolescence::heading()
{
    return QStringLiteral("Codice              |Descrizione                             |T |Obsoleto  |Grup.|SGru.|Linea |O|C|");
}

std::optional<QDate> ArticleObsolescence::cutOffDate(const QString& text)
{
    const std::optional<QDate> date = maskedDate(text);
    if (!date || !date->isValid()) {
        ctx_.ui().critical(QStringLiteral("Data di riferimento non valida : ") + text.trimmed() + QStringLiteral("\r\n(gg/mm/aaaa)"), kStockCaption);
        return std::nullopt;
    }
    return date;
}

bool ArticleObsolescence::search(const ArticleSearch& s)
{
    Ui& ui = ctx_.ui();
    const bool obsolete = s.alreadyObsolete;
    // The list is emptied first: a refused search leaves no lines of another.
    list_.clear(obsolete ? MaintenanceList::Kind::ObsoleteArticles : MaintenanceList::Kind::Articles, heading());
    list_.keys.clear();
    std::optional<QDate> cutOff;
    if (!obsolete) {
        cutOff = cutOffDate(s.cutOff);
        if (!cutOff) {
            list_.clear();
            return false;
        }
    }
    const QSqlDatabase db = ctx_.connections().db(Connections::Company);
    const Dialect& dialect = ctx_.connections().dialect(Connections::Company);
    QString sql = QStringLiteral("SELECT b.cod_art, b.des_articolo, b.dat_obsoleto, b.ind_tiporiga, b.cod_grumerc, b.cod_sgrumerc, b.cod_linea"
                                 " FROM MG_ARTBASE AS b");
    QVariantList values;
    if (obsolete) {
        sql += QStringLiteral(" WHERE dat_obsoleto >= ? AND NOT (dat_obsoleto IS NULL)");
        values << dialect.dateParameter(QDate(1800, 1, 1));
    } else {
        sql += QStringLiteral(" WHERE dat_obsoleto IS NULL");
    }
    const QString code = s.code.trimmed();
    if (!code.isEmpty()) {
        const QString escaped = dialect.likeEscaped(code);
        switch (s.matchMode) {
        case 0: sql += QStringLiteral(" AND b.cod_art LIKE ? ESCAPE '\\'"); values << escaped + QLatin1Char('%'); break;
        case 1: sql += QStringLiteral(" AND b.cod_art LIKE ? ESCAPE '\\'"); values << QLatin1Char('%') + escaped; break;
        case 2: sql += QStringLiteral(" AND b.cod_art = ?"); values << code; break;
        case 3: sql += QStringLiteral(" AND b.cod_art LIKE ? ESCAPE '\\'"); values << QLatin1Char('%') + escaped + QLatin1Char('%'); break;
        default: sql += QStringLiteral(" AND NOT (b.cod_art LIKE ? ESCAPE '\\')"); values << QLatin1Char('%') + escaped + QLatin1Char('%'); break;
        }
    }
    if (!s.description.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND b.des_articolo LIKE ? ESCAPE '\\'");
        values << QLatin1Char('%') + dialect.likeEscaped(s.description.trimmed()) + QLatin1Char('%');
    }
    for (const auto& [column, value] : {std::pair{"b.cod_grumerc", s.group}, std::pair{"b.cod_sgrumerc", s.subgroup}, std::pair{"b.cod_linea", s.line}}) {
        if (!value.trimmed().isEmpty()) {
            sql += QStringLiteral(" AND ") + QLatin1String(column) + QStringLiteral(" = ?");
            values << value.trimmed();
        }
    }
    if (!obsolete) {
        // No movement since the date, no order since it, no contract price:
        // asked of the engine once for all the articles, as a set.
        const QVariant since = dialect.dateParameter(*cutOff);
        sql += QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM MG_MOVMAGR AS m WHERE m.cod_art=b.cod_art AND m.dat_movimento>=?)"
                              " AND NOT EXISTS (SELECT 1 FROM OR_ORDINIR AS o WHERE o.cod_art=b.cod_art AND o.dat_doc>=?)"
                              " AND NOT EXISTS (SELECT 1 FROM PZ_PREZZICONTR AS c WHERE c.cod_art_base=b.cod_art OR c.cod_art=b.cod_art)");
        values << since << since;
    }
    sql += QStringLiteral(" ORDER BY b.cod_art");
    ctx_.log().write(QStringLiteral("Ricerca Articoli da obsolescenza : ") + sql);

    // Walked forward as the engine finds them; Stop is answered between two.
    RowReader reader(db);
    if (!reader.exec(sql, values)) {
        ui.critical(QStringLiteral("Errore nella lettura degli articoli :\r\n") + reader.error(), kStockCaption);
        list_.clear();
        return false;
    }
    Feedback progress = ctx_.feedback(100);
    ctx_.stop().clear();
    bool completed = true;
    qsizetype found = 0;
    while (reader.next()) {
        FixedLine line;
        line.text(reader.text(0), 20).text(reader.text(1), 40).text(reader.text(3), 2).date(reader.value(2), 10).text(reader.text(4), 5)
            .text(reader.text(5), 5).text(reader.text(6), 6);
        list_.lines << line.take() + (obsolete ? QStringLiteral(" | | |") : QStringLiteral("O|C|"));
        list_.keys << reader.text(0).trimmed();
        ++found;
        progress.step([&] { return QStringLiteral("Articoli trovati : %1").arg(found); });
        if (ctx_.stop().requested()) {
            ctx_.stop().clear();
            if (ui.askYesNo(QStringLiteral("Interruzione Ricerca ??"))) {
                completed = false;
                break;
            }
        }
    }
    if (completed && reader.failed()) {
        // Cut short by a stop that interrupted the statement: what was found
        // stays. By an error: nothing of a list read in part is shown.
        if (!ctx_.stop().requested()) {
            ui.critical(QStringLiteral("Errore nella lettura degli articoli :\r\n") + reader.error(), kStockCaption);
            list_.clear();
        }
        completed = false;
    }
    reader.finish();
    ui.status(QStringLiteral("Termine ricerca Articoli Da Obsolescenza (%1)").arg(list_.lines.size()));
    return completed;
}

int ArticleObsolescence::apply(const QList<int>& selected, const QString& cutOffText)
{
    Ui& ui = ctx_.ui();
    if (!list_.holdsArticles() || list_.lines.isEmpty()) {
        ui.critical(QStringLiteral("Nessun Articolo in Elenco !"), kStockCaption);
        return 0;
    }
    if (selected.isEmpty()) {
        ui.critical(QStringLiteral("Nessun Articolo Selezionato !!"), kStockCaption);
        return 0;
    }
    const Dialect& dialect = ctx_.connections().dialect(Connections::Company);
    // The mode is the one of the search that filled the list.
    const bool stamp = list_.kind == MaintenanceList::Kind::Articles;
    QVariant date = noDate(dialect);
    if (stamp) {
        const std::optional<QDate> cutOff = cutOffDate(cutOffText);
        if (!cutOff)
            return 0;
        date = dialect.dateParameter(*cutOff);
        if (!ui.askToChange(QStringLiteral("Confermi Obsolescenza Articoli al ") + cutOffText.trimmed() + QStringLiteral(" ?")))
            return 0;
    } else if (!ui.askToChange(QStringLiteral("Confermi Rimozione Obsolescenza Articoli ?"))) {
        return 0;
    }
    QSqlDatabase db = ctx_.connections().db(Connections::Company);
    const QVariant now = dialect.timestampParameter(QDateTime::currentDateTime());
    QSqlQuery base(db), variants(db);
    base.prepare(QStringLiteral("UPDATE MG_ARTBASE SET dat_obsoleto=?, cod_utente_mod='adme', dat_utente_mod=? WHERE cod_art=?"));
    variants.prepare(QStringLiteral("UPDATE MG_ARTICOLI SET dat_obsoleto=?, cod_utente_mod='adme', dat_utente_mod=? WHERE cod_art=?"));
    // All or nothing: a failure leaves every article as it was.
    const bool transaction = db.transaction();
    Feedback progress = ctx_.feedback(100);
    progress.setTotal(selected.size());
    int changed = 0;
    for (int index : selected) {
        if (index < 0 || index >= list_.keys.size())
            continue;
        const QString& code = list_.keys[index];
        progress.step([&] { return list_.lines.value(index); });
        // The engine counts the rows of the connection's last statement: read it before the variants.
        const bool baseDone = execBound(base, {date, now, code});
        const bool found = baseDone && base.numRowsAffected() > 0;
        if (!baseDone || !execBound(variants, {date, now, code})) {
            const QString error = (base.lastError().isValid() ? base.lastError() : variants.lastError()).text();
            if (transaction)
                db.rollback();
            ui.critical(QStringLiteral("Errore nell'aggiornamento dell'articolo ") + code + QStringLiteral(" :\r\n") + error
                            + (transaction ? QStringLiteral("\r\nNessun articolo modificato.") : QString()),
                        kStockCaption);
            return 0;
        }
        changed += found ? 1 : 0; // an article gone since is skipped
    }
    if (transaction && !db.commit()) {
        const QString error = db.lastError().text();
        db.rollback();
        ui.critical(QStringLiteral("Errore nel salvataggio delle modifiche :\r\n") + error, kStockCaption);
        return 0;
    }
    ui.status(QString());
    ui.message(stamp ? QStringLiteral("Terminato assegnazione Data Obsoleto !") : QStringLiteral("Terminata rimozione Data Obsoleto !"), kStockCaption,
               Ui::Icon::Information);
    return changed;
}

namespace {

struct StockTable {
    const char* which;
    const char* table;
    const char* code;
    const char* description;
};
constexpr StockTable kStockTables[] = {{"GruM", "MG_GRUMERC", "cod_grumerc", "des_grumerc"},
                                       {"SGruM", "MG_SGRUMERC", "cod_sgrumerc", "des_sgrumerc"},
                                       {"Linea", "MG_LINEA", "cod_linea", "des_linea"}};

const StockTable* stockTable(const QString& which)
{
    for (const StockTable& t : kStockTables) {
        if (which == QLatin1String(t.which))
            return &t;
    }
    return nullptr;
}

} // namespace

std::optional<ArticleObsolescence::Choice> ArticleObsolescence::lookUp(const QString& which, const QString& group)
{
    const StockTable* t = stockTable(which);
    if (!t)
        return std::nullopt;
    // Names of our own tables; the subgroups start filtered on the group through the search box.
    QString sql = QStringLiteral("SELECT %1, %2").arg(QLatin1String(t->code), QLatin1String(t->description));
    if (which == QLatin1String("SGruM"))
        sql += QStringLiteral(", cod_grumerc");
    sql += QStringLiteral(" FROM %1 ORDER BY %2").arg(QLatin1String(t->table), QLatin1String(t->code));
    Rs2ListOptions options;
    options.title = QStringLiteral("Elenco ") + QLatin1String(t->table);
    if (which == QLatin1String("SGruM") && !group.trimmed().isEmpty())
        options.presetSearch = QLatin1Char('#') + group.trimmed();
    const Rs2ListResult list = Rs2List(ctx_, ctx_.connections().db(Connections::Company), sql, options);
    if (!list.ok)
        return std::nullopt;
    const QString chosen = ctx_.ui().showList(list);
    if (chosen.trimmed().isEmpty())
        return std::nullopt;
    return Choice{chosen.section(QLatin1Char('|'), 0, 0).trimmed(), chosen.section(QLatin1Char('|'), 1, 1).trimmed()};
}

QString ArticleObsolescence::describe(const QString& which, const QString& code)
{
    const StockTable* t = stockTable(which);
    if (!t || code.trimmed().isEmpty())
        return {};
    RowReader reader(ctx_.connections().db(Connections::Company));
    if (reader.exec(QStringLiteral("SELECT %1 FROM %2 WHERE %3=?").arg(QLatin1String(t->description), QLatin1String(t->table), QLatin1String(t->code)),
                    {code.trimmed()})
        && reader.next())
        return reader.text(0).trimmed();
    return {};
}

QStringList ArticleObsolescence::priceLists()
{
    QStringList lists;
    RowReader reader(ctx_.connections().db(Connections::Company));
    if (reader.exec(QStringLiteral("SELECT DISTINCT cod_listino FROM PZ_PREZZIBASE ORDER BY cod_listino"))) {
        while (reader.next())
            lists << reader.text(0).trimmed();
        if (!readToTheEnd(ctx_, reader, QStringLiteral("Errore nella lettura dei listini :")))
            return {};
    }
    return lists;
}

std::optional<QString> ArticleObsolescence::parseDiscount(const QString& typed)
{
    static const QRegularExpression number(QStringLiteral("^\\d{1,3}([.,]\\d{1,4})?$"));
    const QString text = typed.trimmed();
    if (!number.match(text).hasMatch())
        return std::nullopt;
    const std::optional<Amount> value = Amount::parse(text);
    if (!value || value->units() < 0 || value->units() > 100 * 10000)
        return std::nullopt;
    return plainDecimal(value->units(), 4);
}

QString ArticleObsolescence::discountedCost(const QString& listPrice, const QString& discount, int decimals)
{
    const std::optional<Amount> price = Amount::parse(listPrice);
    const std::optional<Amount> rate = Amount::parse(discount);
    if (!price || !rate)
        return {};
    decimals = std::clamp(decimals, 0, 4);
    // price - price * rate / 100, exact (in units of 1e-10: the price's
    // ten-thousandths times the rate's over 100), rounded once at the end.
    const __int128 million = 1000000;
    const __int128 exact = __int128(price->units()) * million - __int128(price->units()) * rate->units();
    __int128 step = million;
    for (int i = decimals; i < 4; ++i)
        step *= 10;
    const __int128 rounded = exact >= 0 ? (exact + step / 2) / step : -((-exact + step / 2) / step);
    return plainDecimal(static_cast<std::int64_t>(rounded * (step / million)), decimals);
}

int ArticleObsolescence::priceDecimals()
{
    RowReader reader(ctx_.connections().db(Connections::Company));
    if (reader.exec(QStringLiteral("SELECT v.num_dec_prezzi FROM CO_AZIENDA_PAR AS p JOIN CA_VALUTE AS v ON (v.cod_valuta=p.cod_valuta)"
                                   " WHERE p.cod_azienda=?"),
                    {ctx_.company().code})
        && reader.next() && !reader.isNull(0))
        return std::clamp(reader.text(0).toInt(), 0, 4);
    return 2;
}

int ArticleObsolescence::transferCosts(const QString& priceList)
{
    Ui& ui = ctx_.ui();
    IniFile settings = ctx_.corvSettings();
    const std::optional<QString> typed =
        ui.input(QStringLiteral("Selezione Costo da Travasare : (0=Abbandona)\r\n1) Listino (Scontato)\r\n2) Costo Medio dell'Anno\r\n3) Costo Medio Ponderato"),
                 QStringLiteral("Selezione Tipo Costo"), keys::kCostType.read(settings));
    if (!typed || typed->trimmed() == QLatin1String("0"))
        return 0;
    bool number = false;
    const int type = typed->trimmed().toInt(&number);
    if (!number || type < 1 || type > 3) {
        ui.critical(QStringLiteral("Tipo NON Valido !!"));
        ui.beep();
        return 0;
    }
    saveSetting(ui, settings, keys::kCostType.key, QString::number(type));
    if (type == 1)
        return listPriceTransfer(priceList);
    if (type == 2 && priceList.trimmed().isEmpty())
        ui.beep();
    return 0;
}

int ArticleObsolescence::listPriceTransfer(const QString& priceList)
{
    Ui& ui = ctx_.ui();
    if (priceList.trimmed().isEmpty()) {
        ui.beep();
        return 0;
    }
    IniFile settings = ctx_.corvSettings();
    const std::optional<QString> typed =
        ui.input(QStringLiteral("Sconto % : "), QStringLiteral("Sconto Listino --> Costo"), keys::kListDiscount.read(settings));
    if (!typed)
        return 0; // cancelled: nothing stored
    const std::optional<QString> discount = parseDiscount(*typed);
    if (!discount) {
        ui.critical(QStringLiteral("Sconto NON Valido : ") + typed->trimmed() + QStringLiteral("\r\n(un numero da 0 a 100)"));
        return 0;
    }
    saveSetting(ui, settings, keys::kListDiscount.key, typed->trimmed());
    const QSqlDatabase db = ctx_.connections().db(Connections::Company);
    const Dialect& dialect = ctx_.connections().dialect(Connections::Company);
    // The preview lists the prices as the statement computes them; the
    // discount is a checked number, the list code a quoted literal.
    const QString preview = QStringLiteral("SELECT b.cod_art, b.val_costo_std, p.prz_listino, p.prz_listino - (p.prz_listino * ") + *discount
                            + QStringLiteral(" / 100) AS val_newprz FROM MG_ARTBASE AS b LEFT JOIN PZ_PREZZIBASE as p ON (b.cod_art=p.cod_art)"
                                             " WHERE p.cod_listino=")
                            + dialect.text(priceList.trimmed()) + QStringLiteral(" AND p.prg_listino=1 ORDER BY b.cod_art");
    Rs2ListOptions options;
    options.maxRecords = 20;
    options.maxColumnWidth = 20;
    options.title = QStringLiteral("PrezziIvent");
    const Rs2ListResult list = Rs2List(ctx_, db, preview, options);
    if (list.ok)
        ui.showList(list);
    if (!ui.askToChange(QStringLiteral("Confermi travaso Prezzi su Costo Standard ?")))
        return 0;
    struct Price {
        QString code;
        QVariant price;
    };
    QList<Price> prices;
    {
        RowReader reader(db);
        if (!reader.exec(QStringLiteral("SELECT b.cod_art, p.prz_listino FROM MG_ARTBASE AS b LEFT JOIN PZ_PREZZIBASE as p ON (b.cod_art=p.cod_art)"
                                        " WHERE p.cod_listino=? AND p.prg_listino=1 ORDER BY b.cod_art"),
                         {priceList.trimmed()})) {
            ui.critical(QStringLiteral("Errore nella lettura del listino :\r\n") + reader.error());
            return 0;
        }
        while (reader.next())
            prices.append({reader.text(0).trimmed(), reader.isNull(1) ? QVariant() : QVariant(reader.text(1))});
        // Part of a list is no list: nothing is transferred.
        if (!readToTheEnd(ctx_, reader, QStringLiteral("Errore nella lettura del listino :")))
            return 0;
    }
    const int decimals = priceDecimals();
    QSqlDatabase writable = db;
    const bool transaction = writable.transaction();
    QSqlQuery update(writable);
    update.prepare(QStringLiteral("UPDATE MG_ARTBASE SET val_costo_std=? WHERE cod_art=?"));
    Feedback progress = ctx_.feedback(100);
    int changed = 0, withoutPrice = 0;
    for (const Price& p : prices) {
        if (!p.price.isValid()) {
            ++withoutPrice; // no price: the cost stays as it is
            continue;
        }
        progress.step([&] { return p.code; });
        const QString cost = discountedCost(p.price.toString(), *discount, decimals);
        if (cost.isEmpty()) {
            ++withoutPrice;
            continue;
        }
        if (!execBound(update, {cost, p.code})) {
            const QString error = update.lastError().text();
            if (transaction)
                writable.rollback();
            ui.critical(QStringLiteral("Errore nel travaso del costo dell'articolo ") + p.code + QStringLiteral(" :\r\n") + error
                        + (transaction ? QStringLiteral("\r\nNessun costo modificato.") : QString()));
            return 0;
        }
        ++changed;
    }
    if (transaction && !writable.commit()) {
        const QString error = writable.lastError().text();
        writable.rollback();
        ui.critical(QStringLiteral("Errore nel salvataggio dei costi :\r\n") + error);
        return 0;
    }
    ui.status(QString());
    ui.message(QStringLiteral("FINE Travaso Prezzi su Costo STD\r\nArticoli aggiornati : %1\r\nSenza prezzo di listino (costo invariato) : %2").arg(changed).arg(withoutPrice),
               QStringLiteral("Sconto Listino --> Costo"), Ui::Icon::Information);
    return changed;
}

} // namespace corv

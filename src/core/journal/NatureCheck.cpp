#include "journal/NatureCheck.h"

#include "journal/RowLines.h"
#include "db/Connections.h"
#include "platform/Ui.h"
#include "context/AppContext.h"

namespace corv {

QString missingNatureSql()
{
    return QStringLiteral("SELECT t.prg_prinota, ri.num_riga, t.num_registrazione, t.dat_registrazione, t.ind_clifor, t.cod_clifor"
                          ", ri.val_imponibile, ri.val_iva, ri.cod_reg_iva, ri.num_reg_iva, ri.cod_natura_iva"
                          ", a.des_ragsoc"
                          ", ni.des_natura_iva"
                          " FROM CG_PRINOTAR_IVA AS ri"
                          " LEFT JOIN CG_PRINOTAT AS t ON (t.prg_prinota=ri.prg_prinota)"
                          " LEFT JOIN CA_ANAGRAFICHE AS a ON (a.cod_anagra=t.cod_clifor)"
                          " LEFT JOIN CA_NATURA_IVA as ni ON (ri.cod_natura_iva=ni.cod_natura_iva)"
                          " WHERE ri.cod_natura_iva IS NULL"
                          " ORDER BY ri.cod_natura_iva, t.ind_clifor, a.des_ragsoc, t.cod_clifor, t.dat_registrazione, t.des_num_doc, ri.cod_iva");
}

// The nature code takes 4 characters: "N2.1" and "N2.2" stay apart.
QString missingNatureHeading()
{
    return QStringLiteral("Prg_prn |Riga| Num. Reg.| Data Reg.| |CodClF| Rag. Soc.                              |N.I.|Descr. Nat.IVA      |");
}

CommandResult checkJournalNatures(AppContext& ctx, const ResultsSink& show)
{
    using Outcome = CommandResult::Outcome;
    if (show)
        show({missingNatureHeading(), {}});
    QStringList lines;
    const bool read = readRowLines(ctx, ctx.connections().db(Connections::Company), missingNatureSql(), {},
                                   [](RowColumns& c, const RowReader&) {
                                       c.right("prg_prinota", 8).right("num_riga", 4).right("num_registrazione", 10);
                                       return c.date("dat_registrazione", 10).text("ind_clifor", 1).text("cod_clifor", 6).text("des_ragsoc", 40)
                                           .text("cod_natura_iva", 4).text("des_natura_iva", 20).take();
                                   }, lines);
    if (!read)
        return {Outcome::Failed, {}};
    CommandResult result;
    result.results = ResultList{missingNatureHeading(), lines};
    ctx.ui().status(QString());
    if (lines.isEmpty()) {
        ctx.ui().critical(QStringLiteral("NESSUNA Natura IVA tralasciata !!"));
        ctx.ui().beep();
    } else {
        ctx.ui().critical(QStringLiteral("Presenti registrazioni SENZA Natura IVA Indicata !!"));
    }
    return result;
}

} // namespace corv

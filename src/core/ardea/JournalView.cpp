#include "ardea/JournalView.h"

#include "views/ViewService.h"

namespace corv {

QString journalViewText()
{
    return QStringLiteral("SELECT TOP (100) PERCENT"
                          "  i.prg_prinota, i.prg_prinota_riga, i.num_riga"
                          ", i.cod_caucon, cc.des_caucon"
                          ", CASE WHEN cc.ind_tipo_oper_iva IN ('1','3','7') THEN -1 ELSE 1 END AS ind_nc"
                          ", i.cod_iva, ci.des_iva, ci.prc_iva"
                          ", i.num_reg_iva, i.cod_reg_iva, i.ind_sogg_revcham, ci.ind_dich_per"
                          ", i.dat_comp_iva, p.dat_registrazione, p.dat_doc, p.des_num_doc, p.sig_serie_doc"
                          ", p.num_protocollo, p.sig_serie_prot"
                          ", p.ind_clifor, p.cod_clifor, an.des_ragsoc, an.cod_naz, i.ind_area_naz, n.des_naz"
                          ", i.val_imponibile, i.val_imponibile * (CASE WHEN cc.ind_tipo_oper_iva IN ('1','3','7') THEN -1 ELSE 1 END) AS val_impondoc, i.val_iva, i.val_imponibile + i.val_iva AS val_imptot"
                          ", i.cod_natura_iva, ni.des_natura_iva"
                          " FROM CG_PRINOTAR_IVA AS i"
                          " LEFT JOIN CG_PRINOTAT AS p ON (p.prg_prinota=i.prg_prinota)"
                          " LEFT JOIN CA_CAUCON AS cc ON (cc.cod_caucon=i.cod_caucon)"
                          " LEFT JOIN CA_IVA AS ci ON (ci.cod_iva=i.cod_iva)"
                          " LEFT JOIN CA_ANAGRAFICHE AS an ON (an.cod_anagra=p.cod_clifor)"
                          " LEFT JOIN CA_NAZIONI AS n ON (n.cod_naz=an.cod_naz)"
                          " LEFT JOIN CA_PIACONT AS pc ON (pc.cod_piacont=i.cod_piacont_contr)"
                          " LEFT JOIN CA_NATURA_IVA AS ni ON (ni.cod_natura_iva=i.cod_natura_iva)"
                          " WHERE ci.ind_dich_per=1 AND NOT (cc.ind_gestione_iva IN ('03', '02','11'))"
                          " AND i.cod_reg_iva IN('V','C','A')"
                          "  ");
}

bool ensureJournalView(const QSqlDatabase& companyDb, bool force, QString* error)
{
    return views::ensureView(companyDb, kJournalView, journalViewText(), kJournalViewRelease, force, error);
}

} // namespace corv

-- An Ardea company database.
CREATE TABLE CO_VERSIONE (
    num_versione  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    dat_versione  DATETIME
);
CREATE TABLE CO_AZIENDA_PAR (
    cod_azienda      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    num_dec_qta      INTEGER,
    cod_valuta       TEXT COLLATE NOCASE,
    cod_piacont_mod  TEXT COLLATE NOCASE,
    cod_naz          TEXT COLLATE NOCASE
);
CREATE TABLE CA_VERSIONE (
    num_versione  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    dat_versione  DATETIME
);
-- Nations and towns.
CREATE TABLE CA_NAZIONI (
    cod_naz       TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_naz       TEXT COLLATE NOCASE,
    sig_iso       TEXT COLLATE NOCASE,
    ind_area_naz  TEXT COLLATE NOCASE
);
CREATE TABLE CA_LOCALITA (
    cod_localita  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_localita  TEXT COLLATE NOCASE,
    sig_prov      TEXT COLLATE NOCASE,
    cod_cap       TEXT COLLATE NOCASE
);
-- The registry: the current record and the historical one.
CREATE TABLE CA_ANAGRAFICHE (
    cod_anagra        TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_ragsoc        TEXT COLLATE NOCASE,
    des_cogn          TEXT COLLATE NOCASE,
    des_nome          TEXT COLLATE NOCASE,
    flg_pers_fis      TEXT COLLATE NOCASE,
    cod_cfisc         TEXT COLLATE NOCASE,
    cod_piva          TEXT COLLATE NOCASE,
    dat_nasc          DATETIME,
    ind_sesso         TEXT COLLATE NOCASE,
    cod_localita_nas  TEXT COLLATE NOCASE,
    cod_cfisc_estero  TEXT COLLATE NOCASE,
    ind_tipo_diciva   TEXT COLLATE NOCASE,
    flg_piva_ver      TEXT COLLATE NOCASE,
    flg_nores_nocfis  TEXT COLLATE NOCASE,
    cod_naz           TEXT COLLATE NOCASE,
    cod_naz_res       TEXT COLLATE NOCASE,
    des_indir_res     TEXT COLLATE NOCASE,
    cod_cap_res       TEXT COLLATE NOCASE,
    des_localita_res  TEXT COLLATE NOCASE,
    sig_prov_res      TEXT COLLATE NOCASE,
    sig_tel_res       TEXT COLLATE NOCASE,
    sig_fax_res       TEXT COLLATE NOCASE,
    sig_iscr_rea      TEXT COLLATE NOCASE,
    val_capsoc        DECIMAL(18,4),
    val_capsoc_v      DECIMAL(18,4),
    dat_obsoleto      DATETIME
);
CREATE TABLE CA_ANAGRAFICHE_STO (
    cod_anagra        TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_ragsoc        TEXT COLLATE NOCASE,
    flg_pers_fis      TEXT COLLATE NOCASE,
    cod_cfisc         TEXT COLLATE NOCASE,
    cod_piva          TEXT COLLATE NOCASE,
    dat_nasc          DATETIME,
    ind_sesso         TEXT COLLATE NOCASE,
    cod_localita_nas  TEXT COLLATE NOCASE,
    cod_cfisc_estero  TEXT COLLATE NOCASE,
    ind_tipo_diciva   TEXT COLLATE NOCASE,
    flg_piva_ver      TEXT COLLATE NOCASE,
    cod_naz           TEXT COLLATE NOCASE,
    dat_obsoleto      DATETIME
);
-- Customers ("C") and suppliers ("F").
CREATE TABLE CO_CLIFOR (
    ind_clifor       TEXT COLLATE NOCASE NOT NULL,
    cod_clifor       TEXT COLLATE NOCASE NOT NULL,
    flg_allegato     TEXT COLLATE NOCASE,
    ind_tipo_diciva  TEXT COLLATE NOCASE,
    cod_iva          TEXT COLLATE NOCASE,
    cod_caurit       TEXT COLLATE NOCASE,
    dat_obsoleto     DATETIME,
    PRIMARY KEY (ind_clifor, cod_clifor)
);
CREATE INDEX CO_CLIFOR_cod ON CO_CLIFOR (cod_clifor);
-- VAT codes, accounting reasons, VAT natures, chart of accounts.
CREATE TABLE CA_IVA (
    cod_iva        TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_iva        TEXT COLLATE NOCASE,
    prc_iva        DECIMAL(6,2),
    ind_tipo_3000  TEXT COLLATE NOCASE,
    ind_tipo_iva   TEXT COLLATE NOCASE,
    ind_allegato   TEXT COLLATE NOCASE,
    ind_dich_per   INTEGER NOT NULL DEFAULT 1,
    cod_natura_iva TEXT COLLATE NOCASE
);
CREATE TABLE CA_CAUCON (
    cod_caucon         TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_caucon         TEXT COLLATE NOCASE,
    cod_reg_iva        TEXT COLLATE NOCASE,
    ind_tipo_oper_iva  TEXT COLLATE NOCASE,
    ind_gestione_iva   TEXT COLLATE NOCASE
);
CREATE TABLE CO_CAUCON (
    cod_caucon         TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_caucon         TEXT COLLATE NOCASE,
    cod_reg_iva        TEXT COLLATE NOCASE,
    ind_tipo_oper_iva  TEXT COLLATE NOCASE,
    ind_gestione_iva   TEXT COLLATE NOCASE
);
CREATE TABLE CA_NATURA_IVA (
    cod_natura_iva  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_natura_iva  TEXT COLLATE NOCASE
);
CREATE TABLE CA_PIACONT (
    cod_piacont  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_piacont  TEXT COLLATE NOCASE
);
CREATE TABLE CA_ATTIVITA_CONT (
    num_esercizio    INTEGER NOT NULL PRIMARY KEY,
    dat_inizio_eser  DATETIME,
    dat_fine_eser    DATETIME
);
-- The journal: header and VAT rows.
CREATE TABLE CG_PRINOTAT (
    prg_prinota        INTEGER NOT NULL PRIMARY KEY,
    num_registrazione  INTEGER,
    dat_registrazione  DATETIME,
    cod_caucon         TEXT COLLATE NOCASE,
    ind_clifor         TEXT COLLATE NOCASE,
    cod_clifor         TEXT COLLATE NOCASE,
    dat_doc            DATETIME,
    des_num_doc        TEXT COLLATE NOCASE,
    sig_serie_doc      TEXT COLLATE NOCASE,
    num_protocollo     INTEGER,
    sig_serie_prot     TEXT COLLATE NOCASE
);
CREATE INDEX CG_PRINOTAT_clifor ON CG_PRINOTAT (ind_clifor, cod_clifor, dat_registrazione);
CREATE INDEX CG_PRINOTAT_reg ON CG_PRINOTAT (dat_registrazione);
CREATE TABLE CG_PRINOTAR_IVA (
    prg_prinota        INTEGER NOT NULL,
    prg_prinota_riga   INTEGER,
    num_riga           INTEGER NOT NULL,
    cod_caucon         TEXT COLLATE NOCASE,
    cod_iva            TEXT COLLATE NOCASE,
    cod_reg_iva        TEXT COLLATE NOCASE,
    num_reg_iva        INTEGER,
    ind_sogg_revcham   TEXT COLLATE NOCASE,
    ind_area_naz       TEXT COLLATE NOCASE,
    cod_piacont_contr  TEXT COLLATE NOCASE,
    cod_natura_iva     TEXT COLLATE NOCASE,
    val_imponibile     DECIMAL(18,4),
    val_iva            DECIMAL(18,4),
    dat_comp_iva       DATETIME,
    PRIMARY KEY (prg_prinota, num_riga)
);
CREATE INDEX CG_PRINOTAR_IVA_iva ON CG_PRINOTAR_IVA (cod_iva);
CREATE INDEX CG_PRINOTAR_IVA_cau ON CG_PRINOTAR_IVA (cod_caucon);
-- Settlement summaries, one per period: "M" monthly (periods 1..12) or
-- quarterly (1..4); 13 and 14 are further periods of the year.
CREATE TABLE CG_LIQUIDT_RIEP (
    num_anno          INTEGER NOT NULL,
    ind_tipo_periodo  TEXT COLLATE NOCASE NOT NULL,
    ind_periodo       TEXT COLLATE NOCASE NOT NULL,
    ind_stato_liq     TEXT COLLATE NOCASE NOT NULL,
    val_totale        DECIMAL(18,4),
    val_rett_splitp   DECIMAL(18,4),
    val_rett_deb      DECIMAL(18,4),
    val_rett_cred     DECIMAL(18,4),
    des_rett_deb      TEXT COLLATE NOCASE,
    des_rett_cred     TEXT COLLATE NOCASE,
    PRIMARY KEY (num_anno, ind_tipo_periodo, ind_periodo)
);
-- Company master data, currencies, counters.
CREATE TABLE CA_AZIENDA (
    cod_azienda  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_ragsoc   TEXT COLLATE NOCASE
);
CREATE TABLE CA_VALUTE (
    cod_valuta        TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_valuta        TEXT COLLATE NOCASE,
    num_dec_prezzi    INTEGER,
    num_dec_imp_comm  INTEGER,
    num_dec_imp_amm   INTEGER
);
CREATE TABLE CO_PROGNUM (
    cod_tabella  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    prg_numero   INTEGER
);
-- Stock: article aliases, goods groups, subgroups, lines.
CREATE TABLE MG_ARTICOLIALIAS (
    cod_agg         TEXT COLLATE NOCASE NOT NULL,
    cod_tipo_alias  TEXT COLLATE NOCASE NOT NULL,
    prg_alias       INTEGER,
    cod_art         TEXT COLLATE NOCASE NOT NULL
);
CREATE TABLE MG_GRUMERC (
    cod_grumerc  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_grumerc  TEXT COLLATE NOCASE
);
CREATE TABLE MG_SGRUMERC (
    cod_grumerc   TEXT COLLATE NOCASE NOT NULL,
    cod_sgrumerc  TEXT COLLATE NOCASE NOT NULL,
    des_sgrumerc  TEXT COLLATE NOCASE,
    PRIMARY KEY (cod_grumerc, cod_sgrumerc)
);
CREATE TABLE MG_LINEA (
    cod_linea  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_linea  TEXT COLLATE NOCASE
);
CREATE TABLE MG_ARTBASE (
    cod_art         TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_articolo    TEXT COLLATE NOCASE,
    dat_obsoleto    DATETIME,
    ind_tiporiga    TEXT COLLATE NOCASE,
    cod_grumerc     TEXT COLLATE NOCASE,
    cod_sgrumerc    TEXT COLLATE NOCASE,
    cod_linea       TEXT COLLATE NOCASE,
    val_costo_std   DECIMAL(18,5),
    cod_utente_mod  TEXT COLLATE NOCASE,
    dat_utente_mod  DATETIME
);
-- Article variants, stock movements, order rows, contract and list prices.
CREATE TABLE MG_ARTICOLI (
    cod_art         TEXT COLLATE NOCASE NOT NULL,
    prg_art         INTEGER NOT NULL,
    des_articolo    TEXT COLLATE NOCASE,
    dat_obsoleto    DATETIME,
    cod_utente_mod  TEXT COLLATE NOCASE,
    dat_utente_mod  DATETIME,
    PRIMARY KEY (cod_art, prg_art)
);
CREATE TABLE MG_MOVMAGR (
    prg_movimento  INTEGER NOT NULL PRIMARY KEY,
    cod_art        TEXT COLLATE NOCASE NOT NULL,
    dat_movimento  DATETIME,
    qta_movimento  DECIMAL(18,5)
);
CREATE INDEX MG_MOVMAGR_art ON MG_MOVMAGR (cod_art, dat_movimento);
CREATE TABLE OR_ORDINIR (
    prg_ordine  INTEGER NOT NULL,
    num_riga    INTEGER NOT NULL,
    cod_art     TEXT COLLATE NOCASE,
    dat_doc     DATETIME,
    PRIMARY KEY (prg_ordine, num_riga)
);
CREATE INDEX OR_ORDINIR_art ON OR_ORDINIR (cod_art, dat_doc);
CREATE TABLE PZ_PREZZICONTR (
    prg_prezzo    INTEGER NOT NULL PRIMARY KEY,
    cod_art_base  TEXT COLLATE NOCASE,
    cod_art       TEXT COLLATE NOCASE,
    prz_contratto DECIMAL(18,5)
);
CREATE INDEX PZ_PREZZICONTR_base ON PZ_PREZZICONTR (cod_art_base);
CREATE INDEX PZ_PREZZICONTR_art ON PZ_PREZZICONTR (cod_art);
CREATE TABLE PZ_PREZZIBASE (
    cod_art      TEXT COLLATE NOCASE NOT NULL,
    cod_listino  TEXT COLLATE NOCASE NOT NULL,
    prg_listino  INTEGER NOT NULL,
    prz_listino  DECIMAL(18,5),
    PRIMARY KEY (cod_listino, prg_listino, cod_art)
);
CREATE TABLE MG_LISTINI (
    cod_listino  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_listino  TEXT COLLATE NOCASE
);
-- VAT balances per year, period, register and code.
CREATE TABLE CG_SALDI_IVA (
    num_anno        INTEGER NOT NULL,
    ind_periodo     INTEGER NOT NULL,
    cod_reg_iva     TEXT COLLATE NOCASE NOT NULL,
    cod_iva         TEXT COLLATE NOCASE NOT NULL,
    val_imponibile  DECIMAL(18,4),
    val_imposta     DECIMAL(18,4),
    PRIMARY KEY (num_anno, ind_periodo, cod_reg_iva, cod_iva)
);
-- The journal VAT view the settlement register reads.
CREATE VIEW XEBV_PNIVA AS
    SELECT r.prg_prinota, r.num_riga, r.cod_reg_iva, r.cod_iva, r.val_imponibile AS val_impondoc, r.val_iva AS val_ivadoc, r.dat_comp_iva
    FROM CG_PRINOTAR_IVA AS r;

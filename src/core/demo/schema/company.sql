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

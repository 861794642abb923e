-- Ardea session catalog.
CREATE TABLE TS_SESSIONI (
    prg_sessione  INTEGER PRIMARY KEY,
    cod_utente    TEXT COLLATE NOCASE,
    cod_azienda   TEXT COLLATE NOCASE,
    dat_inizio    DATETIME
);

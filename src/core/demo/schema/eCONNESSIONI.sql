-- Ardea connection catalog.
CREATE TABLE TS_CONNESSIONI (
    prg_connessione  INTEGER PRIMARY KEY,
    cod_utente       TEXT COLLATE NOCASE,
    nomecomputer     TEXT COLLATE NOCASE,
    dat_connessione  DATETIME
);

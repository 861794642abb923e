-- Ardea system catalog: companies, releases, accesses.
CREATE TABLE TS_VERSIONE (
    num_versione  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    dat_versione  DATETIME
);
CREATE TABLE TS_AZIENDE (
    cod_azienda       TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_database      TEXT COLLATE NOCASE,
    des_database_com  TEXT COLLATE NOCASE,
    num_livello       INTEGER
);
CREATE TABLE TS_AZIENDE_INFO (
    cod_anagra  TEXT COLLATE NOCASE NOT NULL,
    des_ragsoc  TEXT COLLATE NOCASE
);
CREATE TABLE TS_ACCESSI (
    cod_utente        TEXT COLLATE NOCASE,
    nomecomputer      TEXT COLLATE NOCASE,
    des_nomeprodotto  TEXT COLLATE NOCASE,
    dat_accesso       DATETIME
);

-- The Ardea database of the tables common to all companies.
CREATE TABLE CA_VERSIONE (
    num_versione  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    dat_versione  DATETIME
);

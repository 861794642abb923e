-- The Ardea database of the tables common to all companies.
CREATE TABLE CA_VERSIONE (
    num_versione  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    dat_versione  DATETIME
);
-- The VAT codes of the companies that share this database, with the flags
-- of the communications.
CREATE TABLE CA_IVA (
    cod_iva           TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    des_iva           TEXT COLLATE NOCASE,
    prc_iva           DECIMAL(6,2),
    ind_tipo_3000     TEXT COLLATE NOCASE,
    ind_allegato      TEXT COLLATE NOCASE,
    ind_dich_per      INTEGER NOT NULL DEFAULT 1,
    ind_tipo_iva      TEXT COLLATE NOCASE,
    ind_opeintra      TEXT COLLATE NOCASE,
    prc_indetraibile  DECIMAL(6,2),
    dat_obsoleto      DATETIME
);

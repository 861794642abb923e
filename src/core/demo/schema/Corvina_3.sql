-- The Corvina fiscal-reporting database.
CREATE TABLE CorvinaRelease (
    Release     TEXT COLLATE NOCASE NOT NULL,
    DatRelease  DATETIME
);
CREATE TABLE Company (
    CompanyCode            TEXT COLLATE NOCASE NOT NULL,
    VATYear                INTEGER NOT NULL,
    CompanyName            TEXT COLLATE NOCASE,
    CompanyGroupCode       TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    VATLastImportDate      DATETIME,
    VATDataLastImportDate  DATETIME,
    PRIMARY KEY (CompanyCode, VATYear, CompanyGroupCode)
);

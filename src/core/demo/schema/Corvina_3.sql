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
CREATE TABLE VATCode (
    CompanyGroupCode  TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    VATYear           INTEGER NOT NULL,
    VATCode           TEXT COLLATE NOCASE NOT NULL,
    VATName           TEXT COLLATE NOCASE,
    VATPercentage     DECIMAL(7,3),
    VATNatureType     TEXT COLLATE NOCASE,
    C3Type            TEXT COLLATE NOCASE,
    OperationType     TEXT COLLATE NOCASE,
    NonDeductVATPerc  DECIMAL(7,3),
    NotTaxable        TEXT COLLATE NOCASE,
    PRIMARY KEY (CompanyGroupCode, VATYear, VATCode)
);
CREATE TABLE AccountingRsn (
    CompanyGroupCode  TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    VATYear           INTEGER NOT NULL,
    ReasonCode        TEXT COLLATE NOCASE NOT NULL,
    ReasonName        TEXT COLLATE NOCASE,
    InC3              TEXT COLLATE NOCASE,
    VariationNote     TEXT COLLATE NOCASE,
    Selfinvoice       TEXT COLLATE NOCASE,
    ReverseCharge     TEXT COLLATE NOCASE,
    InVATData         TEXT COLLATE NOCASE,
    VATSelfInvoice    TEXT COLLATE NOCASE,
    VATReverseCharge  TEXT COLLATE NOCASE,
    VATDocumentType   TEXT COLLATE NOCASE,
    VATVariationNote  TEXT COLLATE NOCASE,
    ChargeabilityTax  TEXT COLLATE NOCASE,
    PRIMARY KEY (CompanyGroupCode, VATYear, ReasonCode)
);
CREATE TABLE CustomerSupplier (
    CompanyCode           TEXT COLLATE NOCASE NOT NULL,
    VATYear               INTEGER NOT NULL,
    CustSupplType         TEXT COLLATE NOCASE,
    CustSupplCode         TEXT COLLATE NOCASE NOT NULL,
    CompanyName           TEXT COLLATE NOCASE,
    VATRegNo              TEXT COLLATE NOCASE,
    FiscalCode            TEXT COLLATE NOCASE,
    ISOCode               TEXT COLLATE NOCASE,
    PhysicalPerson        TEXT COLLATE NOCASE,
    C3SubjectType         TEXT COLLATE NOCASE,
    VATDataExclusion      TEXT COLLATE NOCASE,
    GroupingCode          TEXT COLLATE NOCASE,
    City                  TEXT COLLATE NOCASE,
    ResidenceISOCode      TEXT COLLATE NOCASE,
    FiscalAddressISOCode  TEXT COLLATE NOCASE,
    ForeignFiscalCode     TEXT COLLATE NOCASE,
    IntrastatNationArea   INTEGER
);
CREATE INDEX CustomerSupplier_key ON CustomerSupplier (CompanyCode, VATYear, CustSupplCode, CustSupplType);
-- VAT attachment rows: the years before 2017.
CREATE TABLE VATAttachmentRow (
    CompanyCode          TEXT COLLATE NOCASE NOT NULL,
    VATYear              INTEGER NOT NULL,
    CompanyGroupCode     TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    VATCode              TEXT COLLATE NOCASE,
    ModelCode            TEXT COLLATE NOCASE,
    ReasonCode           TEXT COLLATE NOCASE,
    CustSupplType        TEXT COLLATE NOCASE,
    CustSupplCode        TEXT COLLATE NOCASE,
    RecordingDate        DATETIME,
    RecordingNumber      INTEGER,
    VATTaxable           DECIMAL(18,4),
    VATAmount            DECIMAL(18,4),
    PreviousYearsChange  TEXT COLLATE NOCASE,
    NonDeductVATPerc     DECIMAL(7,3),
    OperationType        TEXT COLLATE NOCASE,
    C3UsageType          TEXT COLLATE NOCASE,
    VATSubjectType       TEXT COLLATE NOCASE,
    GroupingCode         TEXT COLLATE NOCASE,
    ReverseChargeType    TEXT COLLATE NOCASE,
    SelfInvoiceType      TEXT COLLATE NOCASE,
    DocumentDate         DATETIME,
    DocumentNumber       TEXT COLLATE NOCASE,
    ProtocolNumber       INTEGER,
    VATRegisterId        TEXT COLLATE NOCASE
);
-- VAT data and its rows: the years from 2017.
CREATE TABLE VATData (
    CompanyCode       TEXT COLLATE NOCASE NOT NULL,
    VATYear           INTEGER NOT NULL,
    DocCumulative     INTEGER NOT NULL,
    CompanyGroupCode  TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    ModelCode         TEXT COLLATE NOCASE,
    ReasonCode        TEXT COLLATE NOCASE,
    CustSupplType     TEXT COLLATE NOCASE,
    CustSupplCode     TEXT COLLATE NOCASE,
    DocumentDate      DATETIME,
    DocumentNumber    TEXT COLLATE NOCASE,
    ProtocolNumber    INTEGER,
    VATRegisterId     TEXT COLLATE NOCASE,
    PRIMARY KEY (CompanyCode, VATYear, DocCumulative)
);
CREATE TABLE VATDataRows (
    CompanyCode        TEXT COLLATE NOCASE NOT NULL,
    VATYear            INTEGER NOT NULL,
    CompanyGroupCode   TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    DocCumulative      INTEGER NOT NULL,
    DocCumulativeRow   INTEGER NOT NULL,
    VATCode            TEXT COLLATE NOCASE,
    VATTaxable         DECIMAL(18,4),
    VATAmount          DECIMAL(18,4),
    ReverseChargeType  TEXT COLLATE NOCASE,
    PRIMARY KEY (CompanyCode, VATYear, DocCumulative, DocCumulativeRow)
);
CREATE TABLE VATSettlement (
    CompanyCode                   TEXT COLLATE NOCASE NOT NULL,
    VATYear                       INTEGER NOT NULL,
    CompanyGroupCode              TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    ReferenceMonth                INTEGER NOT NULL,
    TotalActiveOperationsAmount   DECIMAL(18,4),
    TotalPassiveOperationsAmount  DECIMAL(18,4),
    ChargeableVATAmount           DECIMAL(18,4),
    DeductedVATAmount             DECIMAL(18,4),
    DebitCreditAmount             DECIMAL(18,4),
    VATSplitPayment               DECIMAL(18,4),
    PRIMARY KEY (CompanyCode, VATYear, CompanyGroupCode, ReferenceMonth)
);
-- The invoice-data communications and their issued-invoice rows.
CREATE TABLE VATInvoiceData (
    CompanyCode           TEXT COLLATE NOCASE NOT NULL,
    VATYear               INTEGER NOT NULL,
    Canceled              INTEGER NOT NULL DEFAULT 0,
    SupplyProgr           INTEGER NOT NULL,
    Period                TEXT COLLATE NOCASE,
    SubscriberFiscalCode  TEXT COLLATE NOCASE,
    VATFiscalCodeId       TEXT COLLATE NOCASE,
    OfficeAddress         TEXT COLLATE NOCASE,
    PRIMARY KEY (CompanyCode, VATYear, SupplyProgr)
);
CREATE TABLE VATInvoiceDataIssued (
    CompanyCode       TEXT COLLATE NOCASE NOT NULL,
    VATYear           INTEGER NOT NULL,
    SupplyProgr       INTEGER NOT NULL,
    SupplyRowProgr    INTEGER NOT NULL,
    CustSupplCode     TEXT COLLATE NOCASE,
    CustSupplType     TEXT COLLATE NOCASE,
    CountryId         TEXT COLLATE NOCASE,
    FiscalCode        TEXT COLLATE NOCASE,
    VATFiscalCodeId   TEXT COLLATE NOCASE,
    CompanyName       TEXT COLLATE NOCASE,
    OfficeAddress     TEXT COLLATE NOCASE,
    OfficePostalCode  TEXT COLLATE NOCASE,
    OfficeCity        TEXT COLLATE NOCASE,
    OfficeProvince    TEXT COLLATE NOCASE,
    PRIMARY KEY (CompanyCode, VATYear, SupplyProgr, SupplyRowProgr)
);

-- The Corvina product's session database: who is working on what.
CREATE TABLE FwSession (
    SessionId  INTEGER NOT NULL PRIMARY KEY,
    UserCode   TEXT COLLATE NOCASE,
    Started    DATETIME,
    Ended      DATETIME
);
INSERT INTO FwSession VALUES (1, 'adme', '2026-11-30 09:12:00', '2026-11-30 12:30:00'), (2, 'mrossi', '2026-12-01 08:40:00', NULL);

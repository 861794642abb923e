-- The Corvina product's framework database: its users and settings.
CREATE TABLE FwUser (
    UserCode   TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    UserName   TEXT COLLATE NOCASE,
    LastLogin  DATETIME
);
CREATE TABLE FwSetting (
    SettingKey    TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    SettingValue  TEXT COLLATE NOCASE
);
INSERT INTO FwUser VALUES ('adme', 'Amministratore', '2026-11-30 09:12:00'), ('mrossi', 'Mario Rossi', '2026-12-01 08:40:00');
INSERT INTO FwSetting VALUES ('Lingua', 'IT'), ('VersioneSchema', '3.4.2'), ('CartellaBackup', '');

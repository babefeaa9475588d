-- db00.mdb: the template of a user's data file.
--
-- A new data file is a copy of this file, so it holds every table the program
-- reads, in the newest format (every column that the data-file upgrade adds is
-- already present), the lookup rows and the format-version row, but no site.
--
-- Types follow docs/database-files.md: AutoNumber INTEGER PRIMARY KEY
-- AUTOINCREMENT, Long INTEGER, Integer SMALLINT, Byte TINYINT, Single REAL,
-- Currency CURRENCY, Date DATETIME, Text VARCHAR(n) COLLATE NOCASE, Memo
-- LONGTEXT COLLATE NOCASE. An index on a text column keys it COLLATE BINARY
-- (docs/database-files.md, "Text comparison").
--
-- Text widths. Fixed by the program: strStortNaam 50 (the site-name dialogs
-- refuse longer names), strEenheid 50. Our choice, as Jet-like widths that
-- hold everything the screens let through:
--   registration number, telephone, fax                 50
--   names of people and firms, contact person, e-mail  100
--   facility name strObject                             100 (the screen cuts
--                                                        a typed name to 100)
--   postal addresses, cost-item name, remark, reference 255 (Jet's maximum)
--   the site's address and the report folder are Memo (LONGTEXT).
--
-- Column order is the documented order of each table; idrAct_ID must stay the
-- first column of tblAct, because a further phase of a cost item is made by
-- copying every column after the first, by position.
--
-- Lookup keys (province, object category, tblSYS key) are unique indexes, not
-- primary keys, so that only the AutoNumber keys are primary keys.

-- One row per site.
CREATE TABLE tblStort (
    idrStort_ID              INTEGER PRIMARY KEY AUTOINCREMENT,
    strStortNaam             VARCHAR(50) COLLATE NOCASE,
    strRIVMnr                VARCHAR(50) COLLATE NOCASE,
    bytProv_REF              TINYINT,
    memVestigingsadres       LONGTEXT COLLATE NOCASE,
    intStortType             SMALLINT,
    strVergNaam              VARCHAR(100) COLLATE NOCASE,
    strVergPostAdres         VARCHAR(255) COLLATE NOCASE,
    strVergContPers          VARCHAR(100) COLLATE NOCASE,
    strVergTel               VARCHAR(50) COLLATE NOCASE,
    strVergFax               VARCHAR(50) COLLATE NOCASE,
    strVergEmail             VARCHAR(100) COLLATE NOCASE,
    strInvNaam               VARCHAR(100) COLLATE NOCASE,
    strInvPostAdres          VARCHAR(255) COLLATE NOCASE,
    strInvContPers           VARCHAR(100) COLLATE NOCASE,
    strInvTel                VARCHAR(50) COLLATE NOCASE,
    strInvFax                VARCHAR(50) COLLATE NOCASE,
    strInvEmail              VARCHAR(100) COLLATE NOCASE,
    sngRentePerc             REAL,
    sngInflPerc              REAL,
    dtmAanvangNazorg         DATETIME,
    -- The start year of after-care of the older format. Kept so that the
    -- upgrade and the site import find the column they read.
    intJaarNazorg            SMALLINT,
    intJaarPrijsPeil         SMALLINT,
    bytBedrijfsGebonden      TINYINT,
    bytObjectGebonden        TINYINT,
    bytheffing               TINYINT,
    intStartjaarHeffing      SMALLINT,
    intEindjaarHeffing       SMALLINT,
    sngNazorgOpp             REAL,
    sngAlgAppKostenBasis     REAL,
    sngAppKostenPerc         REAL,
    bytRapEval               TINYINT,
    -- The three reporting-and-evaluation amounts are Currency columns (the
    -- minimum and maximum whole euros, the rate per hectare with cents).
    sngRapEvalMin            CURRENCY,
    sngRapEvalPerHa          CURRENCY,
    sngRapEvalMax            CURRENCY,
    sngAlgCommunicatieKosten REAL,
    sngOnvoorzien            REAL,
    sngOntwerpdirectie       REAL,
    sngAlgRisicoBedrag       REAL,
    memStandaardExportDir    LONGTEXT COLLATE NOCASE,
    intCL_REF                SMALLINT
);
CREATE INDEX idxStortNaam ON tblStort (strStortNaam COLLATE BINARY);
CREATE INDEX idxStortProvType ON tblStort (bytProv_REF, intStortType);

-- One row per facility of a site.
CREATE TABLE tblInrichting (
    idrInrichting_ID         INTEGER PRIMARY KEY AUTOINCREMENT,
    lngStort_REF             INTEGER,
    bytObjectCat_REF         TINYINT,
    strObject                VARCHAR(100) COLLATE NOCASE
);
CREATE INDEX idxInrichtingStort ON tblInrichting (lngStort_REF);

-- One row per cost item; a further phase is a further row with the same
-- strAct under the same facility.
CREATE TABLE tblAct (
    idrAct_ID                 INTEGER PRIMARY KEY AUTOINCREMENT,
    lngStort_REF              INTEGER,
    lngInrichting_REF         INTEGER,
    bytRubriek_REF            TINYINT,
    strAct                    VARCHAR(255) COLLATE NOCASE,
    bytOptieStart             TINYINT,
    intStartAbs               SMALLINT,
    intStartRel               SMALLINT,
    bytStartBA                TINYINT,
    intStartBA                SMALLINT,
    bytOptieEind              TINYINT,
    intEindAbs                SMALLINT,
    intEindRel                SMALLINT,
    bytEindBA                 TINYINT,
    intEindBA                 SMALLINT,
    bytOptieKosten            TINYINT,
    sngPercInvest             REAL,
    sngKostenInvest           REAL,
    sngKostenTotaal           REAL,
    sngKostenPE               REAL,
    sngAantal                 REAL,
    strEenheid                VARCHAR(50) COLLATE NOCASE,
    bytOptieFreq              TINYINT,
    intFreqX                  SMALLINT,
    bytIsQOR                  TINYINT,
    lngClitem_REF             INTEGER,
    bytCombineer              TINYINT NOT NULL DEFAULT 0,
    bytTypeVervangingsToeslag TINYINT NOT NULL DEFAULT 0,
    sngVervangingsToeslagPerc REAL,
    dtmMut                    DATETIME,
    strOpm                    VARCHAR(255) COLLATE NOCASE,
    strNazorgplanRef          VARCHAR(255) COLLATE NOCASE
);
CREATE INDEX idxActStort ON tblAct (lngStort_REF);
CREATE INDEX idxActInrichting ON tblAct (lngInrichting_REF);

-- One row per calendar year of a site's waste forecast (kilotonnes).
CREATE TABLE tblTonnage (
    idrTonnage_ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    lngStort_REF             INTEGER,
    intKalJaar               SMALLINT,
    lngTonnage               INTEGER
);
CREATE INDEX idxTonnageStort ON tblTonnage (lngStort_REF, intKalJaar);

-- Provinces. The site list joins tblStort on this table, so code 0 (no
-- province chosen) has a row too: such a site is still listed.
CREATE TABLE tblProv (
    bytProv_ID               TINYINT NOT NULL,
    strProvNaam              VARCHAR(50) COLLATE NOCASE
);
CREATE UNIQUE INDEX idxProvID ON tblProv (bytProv_ID);

INSERT INTO tblProv (bytProv_ID, strProvNaam) VALUES
    (0, '(geen)'),
    (10, 'Drenthe'),
    (20, 'Flevoland'),
    (30, 'Friesland'),
    (40, 'Gelderland'),
    (50, 'Groningen'),
    (60, 'Limburg'),
    (70, 'Noord-Brabant'),
    (80, 'Noord-Holland'),
    (90, 'Overijssel'),
    (100, 'Utrecht'),
    (110, 'Zeeland'),
    (120, 'Zuid-Holland');

-- Object categories of a facility; the checklist file has the same rows.
CREATE TABLE tblObjectCat (
    bytObjectCat_ID          TINYINT NOT NULL,
    strObjectCat             VARCHAR(50) COLLATE NOCASE
);
CREATE UNIQUE INDEX idxObjectCatID ON tblObjectCat (bytObjectCat_ID);

INSERT INTO tblObjectCat (bytObjectCat_ID, strObjectCat) VALUES
    (1, 'Algemeen'),
    (2, 'Bovenafdichting'),
    (3, 'Grondwatermonitoringssysteem'),
    (4, 'Percolaatopvangsysteem'),
    (5, 'Stortgasonttrekking'),
    (6, 'Grondwaterbeheerssysteem'),
    (7, 'Overig');

-- Key/value rows about the file. 'versie' is the format version: the program
-- version number (3.0 is 30) of the program whose format the file has.
CREATE TABLE tblSYS (
    strSYS_ID                VARCHAR(50) COLLATE NOCASE NOT NULL,
    strSYSvalue              VARCHAR(255) COLLATE NOCASE
);
CREATE UNIQUE INDEX idxSYSID ON tblSYS (strSYS_ID COLLATE BINARY);

INSERT INTO tblSYS (strSYS_ID, strSYSvalue) VALUES ('versie', '30');

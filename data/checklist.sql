-- dbQORCL.mdb: the checklist file.
--
-- Every version of the QOR-checklist of after-care cost items, for both site
-- kinds, with the yearly price-level corrections, the site kinds, the object
-- categories and the file's own key/value rows. The program only reads it.
-- data/README.md gives an overview of the versions and what each is for.
--
-- Types follow docs/database-files.md (Long INTEGER, Integer SMALLINT, Byte
-- TINYINT, Single REAL, Date DATETIME, Text VARCHAR(n) COLLATE NOCASE, Memo
-- LONGTEXT COLLATE NOCASE, Yes/No BIT stored -1/0; an index on a text column
-- keys it COLLATE BINARY). Text widths are ours:
-- version name, footnote keys, units 50; facility name 100 (the width of the
-- data file's facility name, which receives it); descriptions, remarks,
-- explanations and references 255; the lists of footnote keys 1000, so that
-- the reader's own limit of 255 keys in one list, not the column, bounds a
-- list.
--
-- Units, as the program expects them:
--   tblCL.sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie: fractions
--     (0.12 is 12 %); every other percentage (bounds of a percentage of an
--     investment, replacement surcharges, tblPPcorr) is percent (5 is 5 %).
--   -999 in tblCL.sngCommunicatieMAX: no upper bound;
--   -999 in tblCL.sngOntwerpdirectie: the differentiated surcharge scheme.
--   Amounts are euros at the version's price-level year.
--
-- Every column of tblCL is filled (the program reads them without a default).
-- Among the versions of one site kind a newer version (later dtmCl) has the
-- larger intCL_ID. lngCLitem_ID names the same item in every version; a
-- version has at most one active row per item (enforced by an index below).
-- Footnote-key columns hold keys of the version's tblVoetnoot separated by ","
-- without blanks.

------------------------------------------------------------------------------
-- Tables
------------------------------------------------------------------------------

CREATE TABLE tblCL (
    intCL_ID                            SMALLINT NOT NULL,
    strVersie                           VARCHAR(50) COLLATE NOCASE NOT NULL,
    dtmCl                               DATETIME NOT NULL,
    lngStortType_REF                    INTEGER NOT NULL,
    strOpmerking                        VARCHAR(255) COLLATE NOCASE NOT NULL,
    intJaarPrijspeil                    SMALLINT NOT NULL,
    sngCommunicatieMIN                  REAL NOT NULL,
    sngCommunicatieMAX                  REAL NOT NULL,
    sngRapEvalMin                       REAL NOT NULL,
    sngRapEvalPerHa                     REAL NOT NULL,
    sngRapEvalMax                       REAL NOT NULL,
    sngAppKostenBasisMIN                REAL NOT NULL,
    sngAppKostenBasisMAX                REAL NOT NULL,
    sngAppKostenPerc                    REAL NOT NULL,
    sngOnvoorzien                       REAL NOT NULL,
    sngOntwerpdirectie                  REAL NOT NULL,
    sngVervangingstoeslagKleineWerken   REAL NOT NULL,
    sngVervangingstoeslagGroteWerkenMin REAL NOT NULL,
    sngVervangingstoeslagGroteWerkenMax REAL NOT NULL
);
CREATE UNIQUE INDEX idxCLID ON tblCL (intCL_ID);
CREATE INDEX idxCLStortType ON tblCL (lngStortType_REF, dtmCl);

CREATE TABLE tblCLitem (
    lngCLitem_ID              INTEGER NOT NULL,
    intCL_REF                 SMALLINT NOT NULL,
    blnActief                 BIT NOT NULL DEFAULT 0,
    intSortNr                 SMALLINT,
    bytObjectCat_REF          TINYINT NOT NULL,
    strVoorz                  VARCHAR(100) COLLATE NOCASE,
    strOmschrijving           VARCHAR(255) COLLATE NOCASE,
    bytRubriek_REF            TINYINT NOT NULL,
    bytStartBA                TINYINT NOT NULL DEFAULT 0,
    intStartJaar              SMALLINT,
    blnStartjaarEerderMag     BIT NOT NULL DEFAULT 0,
    bytOptieEind              TINYINT NOT NULL,
    bytEindBA                 TINYINT NOT NULL DEFAULT 0,
    intEINDJAAR               SMALLINT,
    bytOptieKosten            TINYINT NOT NULL,
    sngPercInvestMIN          REAL,
    sngPercInvestMAX          REAL,
    sngKostenInvestMIN        REAL,
    sngKostenInvestMAX        REAL,
    sngKostenTotaalMIN        REAL,
    sngKostenTotaalMAX        REAL,
    sngPrijsPEmin             REAL,
    sngPrijsPEmax             REAL,
    sngAantalMIN              REAL,
    sngAantalMAX              REAL,
    strEenheid                VARCHAR(50) COLLATE NOCASE,
    bytOptieFreq              TINYINT NOT NULL,
    sngFreqXMin               REAL,
    sngFreqXMax               REAL,
    bytTypeVervangingsToeslag TINYINT NOT NULL DEFAULT 0,
    blnCombinatieMogelijk     BIT NOT NULL DEFAULT 0,
    blnIsCombinatiePost       BIT NOT NULL DEFAULT 0,
    blnVoetnoot1              BIT NOT NULL DEFAULT 0,
    strToelichting            VARCHAR(255) COLLATE NOCASE,
    strRefDeelonderz          VARCHAR(255) COLLATE NOCASE,
    strVtNtStartjaar          VARCHAR(1000) COLLATE NOCASE,
    strVtNtEindjaar           VARCHAR(1000) COLLATE NOCASE,
    strVtntPeriodMin          VARCHAR(1000) COLLATE NOCASE,
    strVtNtPeriodMax          VARCHAR(1000) COLLATE NOCASE,
    strVtNtPrijsPEmin         VARCHAR(1000) COLLATE NOCASE,
    strVtNtPrijsPEmax         VARCHAR(1000) COLLATE NOCASE
);
-- One active row per item and version; inactive rows are never read.
CREATE UNIQUE INDEX idxCLitemActief ON tblCLitem (intCL_REF, lngCLitem_ID) WHERE blnActief <> 0;
CREATE INDEX idxCLitemVersie ON tblCLitem (intCL_REF, blnActief);

CREATE TABLE tblVoetnoot (
    intCL_REF                 SMALLINT NOT NULL,
    strVoetnootItem           VARCHAR(50) COLLATE NOCASE NOT NULL,
    memVoetnoot               LONGTEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX idxVoetnoot ON tblVoetnoot (intCL_REF, strVoetnootItem COLLATE BINARY);

-- Yearly price-level change in percent; a year without a row is no change.
CREATE TABLE tblPPcorr (
    intJaar                   SMALLINT NOT NULL,
    sngPPcorr                 REAL NOT NULL
);
CREATE UNIQUE INDEX idxPPcorrJaar ON tblPPcorr (intJaar);

CREATE TABLE tblStortType (
    intStortType_ID           SMALLINT NOT NULL,
    strStortType              VARCHAR(50) COLLATE NOCASE NOT NULL
);
CREATE UNIQUE INDEX idxStortTypeID ON tblStortType (intStortType_ID);

CREATE TABLE tblObjectCat (
    bytObjectCat_ID           TINYINT NOT NULL,
    strObjectCat              VARCHAR(50) COLLATE NOCASE
);
CREATE UNIQUE INDEX idxObjectCatID ON tblObjectCat (bytObjectCat_ID);

CREATE TABLE tblSYS (
    strSYS_ID                 VARCHAR(50) COLLATE NOCASE NOT NULL,
    strSYSvalue               VARCHAR(255) COLLATE NOCASE
);
CREATE UNIQUE INDEX idxSYSID ON tblSYS (strSYS_ID COLLATE BINARY);

------------------------------------------------------------------------------
-- The file itself, site kinds, object categories
------------------------------------------------------------------------------

-- 'versie': sequence number of this file, compared with the one the update
-- server offers. 'progvermin': the lowest program version number (3.0 is 30)
-- that may work with this file; the program itself is 3.1 (31).
INSERT INTO tblSYS (strSYS_ID, strSYSvalue) VALUES
    ('versie', '12'),
    ('progvermin', '30');

INSERT INTO tblStortType (intStortType_ID, strStortType) VALUES
    (1, 'stortplaats'),
    (2, 'baggerdepot');

INSERT INTO tblObjectCat (bytObjectCat_ID, strObjectCat) VALUES
    (1, 'Algemeen'),
    (2, 'Bovenafdichting'),
    (3, 'Grondwatermonitoringssysteem'),
    (4, 'Percolaatopvangsysteem'),
    (5, 'Stortgasonttrekking'),
    (6, 'Grondwaterbeheerssysteem'),
    (7, 'Overig');

------------------------------------------------------------------------------
-- Price-level corrections
------------------------------------------------------------------------------

-- No rows for 2007 and 2008: a move between price levels 2006 and 2008
-- gives the factor 1 and the program asks the user to check the prices.
-- 2002 -> 2006 uses 2003..2006, 2008 -> 2012 uses 2009..2012, and 2004 -> 2010
-- (dredge depots) uses 2005, 2006, 2009 and 2010.
INSERT INTO tblPPcorr (intJaar, sngPPcorr) VALUES
    (2001, 4.5),
    (2002, 3.4),
    (2003, 2.1),
    (2004, 1.2),
    (2005, 1.7),
    (2006, 1.1),
    (2009, 1.2),
    (2010, 1.3),
    (2011, 2.3),
    (2012, 2.5);

------------------------------------------------------------------------------
-- Versions
------------------------------------------------------------------------------
-- Landfills (stortplaats, kind 1): 1 -> 2 -> 3 -> 4, each newer than the last.
--   1  2003  price level 2002  fixed design/supervision 12 %, communication 2500-5000
--   2  2006  price level 2006  fixed 12 %, communication at least 2500 (no maximum)
--   3  2008  price level 2008  differentiated scheme, combination items
--   4  2012  price level 2012  differentiated scheme, communication 3000-6000,
--                              reporting 250 per ha (threshold 32 ha)
-- Dredge depots (baggerdepot, kind 2): 11 -> 12.
--   11 2005  price level 2004  fixed 12 %
--   12 2010  price level 2010  differentiated scheme, a combination item
-- Reporting and evaluation is 3500 minimum, 225 per ha above 10 ha, 9000
-- maximum (threshold 34.44 ha) everywhere except version 4. The replacement
-- surcharges are 5 % (small work) and 6 - 6.5 % (large work) in every version.

INSERT INTO tblCL (intCL_ID, strVersie, dtmCl, lngStortType_REF, strOpmerking, intJaarPrijspeil,
        sngCommunicatieMIN, sngCommunicatieMAX, sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax,
        sngAppKostenBasisMIN, sngAppKostenBasisMAX, sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie,
        sngVervangingstoeslagKleineWerken, sngVervangingstoeslagGroteWerkenMin, sngVervangingstoeslagGroteWerkenMax)
VALUES
    (1, '1.0', '2003-01-15 00:00:00', 1,
        'Eerste uitgave van de QOR-checklist voor stortplaatsen; vast percentage ontwerp/directie.', 2002,
        2500, 5000, 3500, 225, 9000,
        12500, 17500, 0.03, 0.10, 0.12,
        5, 6, 6.5),
    (2, '2.0', '2006-03-01 00:00:00', 1,
        'Prijspeil 2006; geen bovengrens voor communicatiekosten; controlemetingen oppervlaktewater toegevoegd.', 2006,
        2500, -999, 3500, 225, 9000,
        13000, 18000, 0.03, 0.10, 0.12,
        5, 6, 6.5),
    (3, '3.1', '2008-10-01 00:00:00', 1,
        'Regels 2008: toeslagen ontwerp/directie/toezicht per vervangingspost; combinatieposten.', 2008,
        2500, -999, 3500, 225, 9000,
        13000, 18000, 0.03, 0.10, -999,
        5, 6, 6.5),
    (4, '4.0', '2012-06-01 00:00:00', 1,
        'Prijspeil 2012; communicatiekosten begrensd; rapportage en evaluatie 250 euro per ha.', 2012,
        3000, 6000, 3500, 250, 9000,
        14000, 19000, 0.035, 0.10, -999,
        5, 6, 6.5),
    (11, '1.0', '2005-05-01 00:00:00', 2,
        'Eerste uitgave van de QOR-checklist voor baggerdepots; vast percentage ontwerp/directie.', 2004,
        1000, 2500, 3500, 225, 9000,
        7500, 10000, 0.03, 0.10, 0.12,
        5, 6, 6.5),
    (12, '2.0', '2010-09-01 00:00:00', 2,
        'Regels 2008 voor baggerdepots: toeslagen per vervangingspost; combinatiepost.', 2010,
        1000, -999, 3500, 225, 9000,
        8000, 11000, 0.03, 0.10, -999,
        5, 6, 6.5);

------------------------------------------------------------------------------
-- Landfill version 1 (2003, price level 2002, fixed scheme)
------------------------------------------------------------------------------
-- Written out item by item; the later landfill versions start as a copy of
-- the version before them and list only what changed. Rubrics: 1
-- Instandhouden, 2 Controlemetingen, 3 Inspecties, 4 Onderhoud, 5 Vervanging,
-- 6 Overig. Under the fixed scheme every replacement item has surcharge type 0.

INSERT INTO tblVoetnoot (intCL_REF, strVoetnootItem, memVoetnoot) VALUES
    (1, '1', 'Het startjaar mag eerder liggen wanneer de peilbuizen bij aanvang van de nazorg al langer dan tien jaar in gebruik zijn.'),
    (1, '2', 'De zettingsmetingen mogen worden beëindigd zodra de zetting minder dan 1 cm per jaar bedraagt.'),
    (1, '3', 'De eenheidsprijs is inclusief het afvoeren van de oude afdeklaag.'),
    (1, '4', 'Bij een stabiele grondwaterkwaliteit mag de meetfrequentie na tien jaar worden verlaagd tot tweemaal per jaar.'),
    (1, '5', 'Uitgangspunt is een technische levensduur van de drainageleidingen van 30 tot 40 jaar.'),
    (1, '6', 'Prijs per pomp, inclusief besturing en aansluiting op het percolaatnet.');

-- Algemeen: terrain. Start in after-care year 1, for ever.
-- 1: unit price with both bounds, twice a year at most (frequency 1 - 2 a year).
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (1, 1, -1, 10, 1, 'Terrein', 1, 'Maaien bermen en taluds',
        0, 1, 3,
        3, 150, 250, 'ha', 2, 1, 2,
        'Maaien van bermen en taluds buiten de bovenafdichting, maaisel afvoeren.', 'Deelonderzoek 1, par. 2.1');
-- 2: total amount with both bounds, once every 5 to 10 years.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (2, 1, -1, 10, 1, 'Terrein', 4, 'Onderhoud hekwerk en poort',
        0, 1, 3,
        2, 1000, 2500, 3, 5, 10,
        'Herstel van hekwerk, poort en sloten; schilderwerk.', 'Deelonderzoek 1, par. 2.2');
-- 3: replacement, per metre, from after-care year 25.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (3, 1, -1, 10, 1, 'Terrein', 5, 'Vervangen hekwerk',
        0, 25, 3,
        3, 40, 60, 'm1', 3, 25, 30,
        'Volledige vervanging van het hekwerk rond de stortplaats.', 'Deelonderzoek 1, par. 2.2');
-- 4: total amount with only an upper bound.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (4, 1, -1, 20, 1, 'Terrein', 4, 'Onderhoud wegen en paden',
        0, 1, 3,
        2, 2000, 3, 3, 5,
        'Herstel van verharding en bermen van de onderhoudswegen.', 'Deelonderzoek 1, par. 2.3');

-- Bovenafdichting: counted from the construction of the top liner
-- (bytStartBA 1), and carrying the phasing note (blnVoetnoot1).
-- 5: from the 1st year after construction.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        blnVoetnoot1, strToelichting, strRefDeelonderz)
VALUES (5, 1, -1, 10, 2, 'Bovenafdichting', 1, 'Maaien bovenafdichting',
        1, 1, 3,
        3, 150, 300, 'ha', 2, 1, 2,
        -1, 'Maaien van de begroeiing op de afdeklaag, maaisel afvoeren.', 'Deelonderzoek 2, par. 3.1');
-- 6: equal frequency bounds (once a year).
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        blnVoetnoot1, strToelichting, strRefDeelonderz)
VALUES (6, 1, -1, 10, 2, 'Bovenafdichting', 3, 'Inspectie bovenafdichting',
        1, 1, 3,
        2, 1500, 3000, 2, 1, 1,
        -1, 'Visuele inspectie op erosie, scheuren en zettingen.', 'Deelonderzoek 2, par. 3.2');
-- 7: percentage of the investment (1 - 2 %), start in the 5th year after
-- construction or earlier.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, blnStartjaarEerderMag, bytOptieEind,
        bytOptieKosten, sngPercInvestMIN, sngPercInvestMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        blnVoetnoot1, strToelichting, strRefDeelonderz)
VALUES (7, 1, -1, 10, 2, 'Bovenafdichting', 4, 'Herstel afdeklaag bovenafdichting',
        1, 5, -1, 3,
        1, 1, 2, 2, 1, 1,
        -1, 'Aanvullen en herprofileren van de afdeklaag; een percentage van de aanlegkosten.', 'Deelonderzoek 2, par. 3.3');
-- 8: replacement of the top liner, 75 years after construction, then every
-- 75 to 100 years; footnote on the maximum unit price.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        blnVoetnoot1, strToelichting, strRefDeelonderz, strVtNtPrijsPEmax)
VALUES (8, 1, -1, 10, 2, 'Bovenafdichting', 5, 'Vervangen bovenafdichting',
        1, 75, 3,
        3, 25, 40, 'm2', 3, 75, 100,
        -1, 'Vervanging van de afdichtingslaag en de afdeklaag aan het einde van de levensduur.', 'Deelonderzoek 2, par. 3.4', '3');
-- 9: start counted from construction but left to the user; ends in the 30th
-- year after construction; footnote on the end year.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind, bytEindBA, intEINDJAAR,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz, strVtNtEindjaar)
VALUES (9, 1, -1, 10, 2, 'Bovenafdichting', 2, 'Controlemetingen zettingen bovenafdichting',
        1, NULL, 2, 1, 30,
        2, 2000, 4000, 2, 1, 1,
        'Waterpassing van de zakbakens op de bovenafdichting.', 'Deelonderzoek 2, par. 3.5', '2');

-- Grondwatermonitoringssysteem: monitoring wells.
-- 10: samples, two to four times a year; footnote on the minimum frequency.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz, strVtntPeriodMin)
VALUES (10, 1, -1, 10, 3, 'Peilbuizen', 2, 'Controlemetingen grondwater',
        0, 1, 3,
        3, 250, 450, 'monster', 2, 2, 4,
        'Bemonstering en analyse van het grondwater volgens het monitoringsplan.', 'Deelonderzoek 3, par. 2.1', '4');
-- 11: equal unit-price bounds (20 per well).
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (11, 1, -1, 10, 3, 'Peilbuizen', 3, 'Inspectie peilbuizen',
        0, 1, 3,
        3, 20, 20, 'stuk', 2, 1, 1,
        'Controle op beschadiging en toegankelijkheid van de peilbuizen.', 'Deelonderzoek 3, par. 2.2');
-- 12: replacement from after-care year 30.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (12, 1, -1, 10, 3, 'Peilbuizen', 5, 'Vervangen peilbuizen',
        0, 30, 3,
        3, 1500, 2500, 'stuk', 3, 25, 30,
        'Plaatsen van nieuwe peilbuizen naast de bestaande.', 'Deelonderzoek 3, par. 2.3');
-- 13: unit price with only an upper bound; not more often than every 5 years.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin,
        strToelichting, strRefDeelonderz)
VALUES (13, 1, -1, 10, 3, 'Peilbuizen', 4, 'Doorspuiten peilbuizen',
        0, 1, 3,
        3, 40, 'stuk', 3, 5,
        'Schoonspuiten van dichtgeslibde filters.', 'Deelonderzoek 3, par. 2.4');

-- Percolaatopvangsysteem: drains, pumps, leachate.
-- 14: at most once a year.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (14, 1, -1, 10, 4, 'Drainageleidingen', 4, 'Doorspuiten drainageleidingen',
        0, 1, 3,
        3, 1.5, 3, 'm1', 2, 1,
        'Hogedrukreiniging van de percolaatdrains.', 'Deelonderzoek 4, par. 2.1');
-- 15: once every 5 years or more often.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (15, 1, -1, 10, 4, 'Drainageleidingen', 3, 'Camera-inspectie drainageleidingen',
        0, 1, 3,
        3, 2, 4, 'm1', 3, 5,
        'Inspectie van de drains met een camera.', 'Deelonderzoek 4, par. 2.2');
-- 16: replacement every 30 to 40 years; footnote on the maximum frequency.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz, strVtNtPeriodMax)
VALUES (16, 1, -1, 10, 4, 'Drainageleidingen', 5, 'Vervangen drainageleidingen',
        0, 30, 3,
        3, 60, 90, 'm1', 3, 30, 40,
        'Aanleggen van nieuwe drains, bijvoorbeeld door horizontaal gestuurd boren.', 'Deelonderzoek 4, par. 2.3', '5');
-- 17: total amount with both bounds.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (17, 1, -1, 10, 4, 'Percolaatpompen', 4, 'Onderhoud percolaatpompen',
        0, 1, 3,
        2, 2000, 4000, 2, 1, 2,
        'Periodiek onderhoud van pompen, vlotters en besturing.', 'Deelonderzoek 4, par. 3.1');
-- 18: replacement with bounds on the number of pumps; footnote on the
-- minimum unit price.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, sngAantalMIN, sngAantalMAX, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz, strVtNtPrijsPEmin)
VALUES (18, 1, -1, 10, 4, 'Percolaatpompen', 5, 'Vervangen percolaatpompen',
        0, 10, 3,
        3, 5000, 8000, 1, 4, 'stuk', 3, 10, 15,
        'Vervanging van de percolaatpompen aan het einde van hun levensduur.', 'Deelonderzoek 4, par. 3.2', '6');
-- 19: samples of the leachate.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (19, 1, -1, 10, 4, 'Percolaatafvoer', 2, 'Controlemetingen percolaat',
        0, 1, 3,
        3, 300, 500, 'monster', 2, 2, 4,
        'Bemonstering en analyse van het percolaat.', 'Deelonderzoek 4, par. 4.1');
-- 20: unit price left to the site (no bounds); ends in after-care year 30.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind, intEINDJAAR,
        bytOptieKosten, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (20, 1, -1, 10, 4, 'Percolaatafvoer', 1, 'Afvoer en zuivering percolaat',
        0, 1, 2, 30,
        3, 'm3', 2, 1, 1,
        'Eenheidsprijs volgens het contract met de zuiveringsbeheerder.', 'Deelonderzoek 4, par. 4.2');

-- Stortgasonttrekking: landfill gas.
-- 21: the end is left to the user (end of gas production).
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind, intEINDJAAR,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (21, 1, -1, 10, 5, 'Gasonttrekking', 4, 'Onderhoud gasinstallatie',
        0, 1, 2, NULL,
        2, 5000, 10000, 2, 1, 1,
        'Onderhoud van de gasonttrekkingsinstallatie zolang er gas wordt gewonnen.', 'Deelonderzoek 5, par. 2.1');
-- 22: total amount with only a lower bound, at least twice a year, ends in
-- after-care year 30.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind, intEINDJAAR,
        bytOptieKosten, sngKostenTotaalMIN, bytOptieFreq, sngFreqXMin,
        strToelichting, strRefDeelonderz)
VALUES (22, 1, -1, 10, 5, 'Gasonttrekking', 2, 'Controlemetingen stortgas',
        0, 1, 2, 30,
        2, 1500, 2, 2,
        'Meten van gassamenstelling en onderdruk in de bronnen.', 'Deelonderzoek 5, par. 2.2');
-- 23: a one-off replacement whose start and amount the user chooses.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, bytOptieFreq,
        strToelichting, strRefDeelonderz)
VALUES (23, 1, -1, 10, 5, 'Gasonttrekking', 5, 'Vervangen gasonttrekkingsinstallatie',
        0, NULL, 3,
        2, 1,
        'Eenmalige vervanging; omvang en moment volgen uit het nazorgplan.', 'Deelonderzoek 5, par. 2.3');
-- 32: only in this version (removed from version 2 on).
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind, intEINDJAAR,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (32, 1, -1, 20, 5, 'Gasonttrekking', 3, 'Inspectie gasbronnen',
        0, 1, 2, 20,
        3, 25, 50, 'stuk', 2, 1, 1,
        'Inspectie van bronkoppen en leidingen.', 'Deelonderzoek 5, par. 2.4');
-- 36: percentage of the investment with only a lower bound.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind, intEINDJAAR,
        bytOptieKosten, sngPercInvestMIN, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (36, 1, -1, 20, 5, 'Gasonttrekking', 4, 'Onderhoud gasfakkel',
        0, 1, 2, NULL,
        1, 2, 2, 1, 1,
        'Onderhoud van de fakkelinstallatie, als percentage van de aanschafprijs.', 'Deelonderzoek 5, par. 2.5');

-- Grondwaterbeheerssysteem: groundwater control.
-- 24: percentage of the investment with only an upper bound, investment with
-- only a lower bound; frequency left to the site (no bounds).
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPercInvestMAX, sngKostenInvestMIN, bytOptieFreq,
        strToelichting, strRefDeelonderz)
VALUES (24, 1, -1, 10, 6, 'Onttrekkingsputten', 4, 'Onderhoud onttrekkingsputten',
        0, 1, 3,
        1, 3, 10000, 3,
        'Regenereren van putten en onderhoud van de leidingen.', 'Deelonderzoek 6, par. 2.1');
-- 25: unit price with only a lower bound.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (25, 1, -1, 10, 6, 'Onttrekkingsputten', 1, 'Energiekosten grondwateronttrekking',
        0, 1, 3,
        3, 0.10, 'kWh', 2, 1, 1,
        'Stroomverbruik van de onttrekkingspompen per jaar.', 'Deelonderzoek 6, par. 2.2');
-- 26: equal frequency bounds (once every 15 years), at least one pump.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, sngAantalMIN, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (26, 1, -1, 10, 6, 'Onttrekkingsputten', 5, 'Vervangen onttrekkingspompen',
        0, 15, 3,
        3, 4000, 6000, 1, 'stuk', 3, 15, 15,
        'Vervanging van de dompelpompen in de onttrekkingsputten.', 'Deelonderzoek 6, par. 2.3');
-- 37: percentage of the investment without bounds (from the after-care plan).
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (37, 1, -1, 10, 6, 'Damwand', 4, 'Groot onderhoud damwand',
        0, 20, 3,
        1, 3, 10, 20,
        'Conservering en herstel van de damwand; percentage volgens het nazorgplan.', 'Deelonderzoek 6, par. 3.1');

-- Overig.
-- 27: equal amount bounds, once every 5 years from after-care year 5.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (27, 1, -1, 10, 7, 'Overig', 6, 'Actualiseren nazorgplan',
        0, 5, 3,
        2, 5000, 5000, 3, 5, 5,
        'Herzien van het nazorgplan op grond van de evaluatie.', 'Deelonderzoek 7, par. 2.1');
-- 28: amount and frequency left to the site (no bounds at all).
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, bytOptieFreq,
        strToelichting, strRefDeelonderz)
VALUES (28, 1, -1, 20, 7, 'Overig', 6, 'Beheer en toezicht terrein',
        0, 1, 3,
        2, 2,
        'Toezicht op het terrein; omvang volgens het nazorgplan.', 'Deelonderzoek 7, par. 2.2');
-- 29: a one-off outlay in after-care year 1 (removed from version 4 on).
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq,
        strToelichting, strRefDeelonderz)
VALUES (29, 1, -1, 30, 7, 'Overig', 6, 'Verwijderen tijdelijke voorzieningen',
        0, 1, 3,
        2, 2500, 7500, 1,
        'Opruimen van bouwketen, tijdelijke wegen en depots na de sluiting.', 'Deelonderzoek 7, par. 2.3');
-- 33: active in versions 1 and 2, an inactive row in version 3, gone in 4.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (33, 1, -1, 10, 7, 'Overig', 3, 'Inspectie afwateringssloten',
        0, 1, 3,
        3, 0.5, 1, 'm1', 2, 1, 1,
        'Controle op begroeiing en afvoercapaciteit van de sloten.', 'Deelonderzoek 7, par. 3.1');
-- 40: a name with a letter outside ASCII.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (40, 1, -1, 40, 7, 'Overig', 6, 'Coördinatie nazorgwerkzaamheden',
        0, 1, 3,
        2, 3000, 6000, 2, 1, 1,
        'Planning en aansturing van de nazorgwerkzaamheden.', 'Deelonderzoek 7, par. 2.4');

------------------------------------------------------------------------------
-- Landfill version 2 (2006, price level 2006, fixed scheme, no maximum for
-- communication): version 1 with these changes
--   removed: 32 Inspectie gasbronnen
--   added:   34 Controlemetingen oppervlaktewater
--   changed: 10 unit price 250 - 450 -> 275 - 475
--            17 amount 2000 - 4000 -> 2500 - 4500
------------------------------------------------------------------------------

INSERT INTO tblVoetnoot (intCL_REF, strVoetnootItem, memVoetnoot)
    SELECT 2, strVoetnootItem, memVoetnoot FROM tblVoetnoot WHERE intCL_REF = 1;

CREATE TEMP TABLE kopie AS
    SELECT * FROM tblCLitem WHERE intCL_REF = 1 AND blnActief = -1 AND lngCLitem_ID <> 32;
UPDATE kopie SET intCL_REF = 2;
INSERT INTO tblCLitem SELECT * FROM kopie;
DROP TABLE kopie;

UPDATE tblCLitem SET sngPrijsPEmin = 275, sngPrijsPEmax = 475 WHERE intCL_REF = 2 AND lngCLitem_ID = 10;
UPDATE tblCLitem SET sngKostenTotaalMIN = 2500, sngKostenTotaalMAX = 4500 WHERE intCL_REF = 2 AND lngCLitem_ID = 17;

-- 34: surface-water samples.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (34, 2, -1, 10, 3, 'Meetpunten oppervlaktewater', 2, 'Controlemetingen oppervlaktewater',
        0, 1, 3,
        3, 200, 350, 'monster', 2, 1, 2,
        'Bemonstering van het oppervlaktewater rond de stortplaats.', 'Deelonderzoek 3, par. 3.1');

------------------------------------------------------------------------------
-- Landfill version 3 (2008, price level 2008, differentiated scheme): version
-- 2 with these changes
--   surcharge types of the replacement items: 8 top liner (1); 16 large
--            work (2); 3, 12, 18, 26 small work (3); 23 still to choose (7)
--   added:   30 and 31, combination items; 6, 10, 11, 19 and 34 may be
--            absorbed into them
--   inactive: 33 Inspectie afwateringssloten (its row stays, inactive)
--   14 has an inactive row with the old unit price beside its active row
--            with the new one (1,5 - 3 -> 2 - 3,5)
--   changed: facility of 1 - 4 'Terrein' -> 'Terrein en hekwerk'
--            21 description 'Onderhoud gasinstallatie' ->
--               'Onderhoud gasonttrekkingsinstallatie'
--            28 rubric 6 (Overig) -> 1 (Instandhouden)
--            12 start 30th year -> 25th year or earlier, with footnote 1
--            8 footnotes on the maximum unit price '3' -> '3,7'
--   footnote 7 added.
------------------------------------------------------------------------------

INSERT INTO tblVoetnoot (intCL_REF, strVoetnootItem, memVoetnoot)
    SELECT 3, strVoetnootItem, memVoetnoot FROM tblVoetnoot WHERE intCL_REF = 2;
INSERT INTO tblVoetnoot (intCL_REF, strVoetnootItem, memVoetnoot) VALUES
    (3, '7', 'Bij een afdichtingslaag van kunststoffolie geldt de hoogste eenheidsprijs.');

CREATE TEMP TABLE kopie AS
    SELECT * FROM tblCLitem WHERE intCL_REF = 2 AND blnActief = -1;
UPDATE kopie SET intCL_REF = 3;
-- Item 14 first goes in as the row that is replaced (made inactive at once),
-- then with every other item as the active row that replaces it.
INSERT INTO tblCLitem SELECT * FROM kopie WHERE lngCLitem_ID = 14;
UPDATE tblCLitem SET blnActief = 0 WHERE intCL_REF = 3 AND lngCLitem_ID = 14;
INSERT INTO tblCLitem SELECT * FROM kopie;
DROP TABLE kopie;

UPDATE tblCLitem SET sngPrijsPEmin = 2, sngPrijsPEmax = 3.5
    WHERE intCL_REF = 3 AND lngCLitem_ID = 14 AND blnActief = -1;
UPDATE tblCLitem SET blnActief = 0 WHERE intCL_REF = 3 AND lngCLitem_ID = 33;

UPDATE tblCLitem SET bytTypeVervangingsToeslag = 1 WHERE intCL_REF = 3 AND lngCLitem_ID = 8;
UPDATE tblCLitem SET bytTypeVervangingsToeslag = 2 WHERE intCL_REF = 3 AND lngCLitem_ID = 16;
UPDATE tblCLitem SET bytTypeVervangingsToeslag = 3 WHERE intCL_REF = 3 AND lngCLitem_ID IN (3, 12, 18, 26);
UPDATE tblCLitem SET bytTypeVervangingsToeslag = 7 WHERE intCL_REF = 3 AND lngCLitem_ID = 23;

UPDATE tblCLitem SET blnCombinatieMogelijk = -1 WHERE intCL_REF = 3 AND lngCLitem_ID IN (6, 10, 11, 19, 34);

UPDATE tblCLitem SET strVoorz = 'Terrein en hekwerk' WHERE intCL_REF = 3 AND lngCLitem_ID IN (1, 2, 3, 4);
UPDATE tblCLitem SET strOmschrijving = 'Onderhoud gasonttrekkingsinstallatie' WHERE intCL_REF = 3 AND lngCLitem_ID = 21;
UPDATE tblCLitem SET bytRubriek_REF = 1 WHERE intCL_REF = 3 AND lngCLitem_ID = 28;
UPDATE tblCLitem SET intStartJaar = 25, blnStartjaarEerderMag = -1, strVtNtStartjaar = '1'
    WHERE intCL_REF = 3 AND lngCLitem_ID = 12;
UPDATE tblCLitem SET strVtNtPrijsPEmax = '3,7' WHERE intCL_REF = 3 AND lngCLitem_ID = 8;

-- Combination items. 30 takes the place of the separate groundwater,
-- surface-water and leachate samples (10, 19, 34); 31 that of the inspections
-- of the top liner and the wells (6, 11).
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        blnIsCombinatiePost, strToelichting, strRefDeelonderz)
VALUES (30, 3, -1, 90, 3, 'Peilbuizen', 2, 'Combinatie controlemetingen grondwater, oppervlaktewater en percolaat',
        0, 1, 3,
        3, 450, 700, 'monster', 2, 2, 4,
        -1, 'Eén meetronde voor grondwater, oppervlaktewater en percolaat samen.', 'Deelonderzoek 3, par. 4.1');
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        blnIsCombinatiePost, strToelichting, strRefDeelonderz)
VALUES (31, 3, -1, 90, 2, 'Bovenafdichting', 3, 'Combinatie inspecties bovenafdichting en peilbuizen',
        0, 1, 3,
        2, 2500, 4500, 2, 1, 1,
        -1, 'Eén inspectieronde voor de bovenafdichting en de peilbuizen samen.', 'Deelonderzoek 2, par. 5.1');

------------------------------------------------------------------------------
-- Landfill version 4 (2012, price level 2012, differentiated scheme,
-- communication 3000 - 6000, reporting 250 per ha): the active items of
-- version 3 with these changes
--   removed: 29 Verwijderen tijdelijke voorzieningen (and 33, inactive in 3)
--   added:   35 Monitoring stortgasemissie
--   changed: 8 unit price 25 - 40 -> 30 - 45
--            16 frequency every 30 - 40 years -> every 35 - 45 years
--            27 category Overig (7) -> Algemeen (1), facility 'Overig' ->
--               'Nazorgorganisatie'
------------------------------------------------------------------------------

INSERT INTO tblVoetnoot (intCL_REF, strVoetnootItem, memVoetnoot)
    SELECT 4, strVoetnootItem, memVoetnoot FROM tblVoetnoot WHERE intCL_REF = 3;

CREATE TEMP TABLE kopie AS
    SELECT * FROM tblCLitem WHERE intCL_REF = 3 AND blnActief = -1 AND lngCLitem_ID <> 29;
UPDATE kopie SET intCL_REF = 4;
INSERT INTO tblCLitem SELECT * FROM kopie;
DROP TABLE kopie;

UPDATE tblCLitem SET sngPrijsPEmin = 30, sngPrijsPEmax = 45 WHERE intCL_REF = 4 AND lngCLitem_ID = 8;
UPDATE tblCLitem SET sngFreqXMin = 35, sngFreqXMax = 45 WHERE intCL_REF = 4 AND lngCLitem_ID = 16;
UPDATE tblCLitem SET bytObjectCat_REF = 1, strVoorz = 'Nazorgorganisatie' WHERE intCL_REF = 4 AND lngCLitem_ID = 27;

-- 35: emission monitoring, once every 2 to 5 years until after-care year 30.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind, intEINDJAAR,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (35, 4, -1, 30, 5, 'Gasonttrekking', 2, 'Monitoring stortgasemissie',
        0, 1, 2, 30,
        2, 2500, 5000, 3, 2, 5,
        'Meten van de methaanemissie over het stortoppervlak.', 'Deelonderzoek 5, par. 3.1');

------------------------------------------------------------------------------
-- Dredge-depot version 11 (2005, price level 2004, fixed scheme)
------------------------------------------------------------------------------

INSERT INTO tblVoetnoot (intCL_REF, strVoetnootItem, memVoetnoot) VALUES
    (11, '1', 'Bij een stabiele grondwaterkwaliteit volstaat na tien jaar één meetronde per jaar.');

-- 201: unit price with both bounds.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (201, 11, -1, 10, 1, 'Kades en taluds', 1, 'Maaien kades en taluds',
        0, 1, 3,
        3, 150, 250, 'ha', 2, 1, 2,
        'Maaien van de kades en taluds van het depot, maaisel afvoeren.', 'Deelonderzoek baggerdepots 1, par. 2.1');
-- 202: inspection once a year.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (202, 11, -1, 10, 1, 'Kades en taluds', 3, 'Inspectie kades',
        0, 1, 3,
        2, 1000, 2000, 2, 1, 1,
        'Inspectie van de kades op stabiliteit, kwel en begroeiing.', 'Deelonderzoek baggerdepots 1, par. 2.2');
-- 203: percentage of the investment with bounds on both.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPercInvestMIN, sngPercInvestMAX, sngKostenInvestMIN, sngKostenInvestMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (203, 11, -1, 10, 1, 'Kades en taluds', 4, 'Onderhoud kades',
        0, 1, 3,
        1, 0.5, 1.5, 50000, 250000, 3, 5, 10,
        'Herstel van kadeprofiel en bekleding; een percentage van de aanlegkosten.', 'Deelonderzoek baggerdepots 1, par. 2.3');
-- 204: counted from the construction of the cover; amount with only an
-- upper bound, not more often than every 3 years.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin,
        blnVoetnoot1, strToelichting, strRefDeelonderz)
VALUES (204, 11, -1, 10, 2, 'Afdeklaag', 4, 'Onderhoud afdeklaag depot',
        1, 1, 3,
        2, 2500, 3, 3,
        -1, 'Aanvullen van de afdeklaag na zetting van de specie.', 'Deelonderzoek baggerdepots 2, par. 2.1');
-- 205: replacement of the cover.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        blnVoetnoot1, strToelichting, strRefDeelonderz)
VALUES (205, 11, -1, 10, 2, 'Afdeklaag', 5, 'Vervangen afdeklaag depot',
        1, 50, 3,
        3, 10, 20, 'm2', 3, 50, 75,
        -1, 'Vervanging van de afdeklaag aan het einde van de levensduur.', 'Deelonderzoek baggerdepots 2, par. 2.2');
-- 206: groundwater samples; footnote on the minimum frequency.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz, strVtntPeriodMin)
VALUES (206, 11, -1, 10, 3, 'Peilbuizen', 2, 'Controlemetingen grondwater',
        0, 1, 3,
        3, 250, 450, 'monster', 2, 1, 2,
        'Bemonstering en analyse van het grondwater rond het depot.', 'Deelonderzoek baggerdepots 3, par. 2.1', '1');
-- 207: replacement of the wells.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (207, 11, -1, 10, 3, 'Peilbuizen', 5, 'Vervangen peilbuizen',
        0, 30, 3,
        3, 1500, 2500, 'stuk', 3, 25, 30,
        'Plaatsen van nieuwe peilbuizen naast de bestaande.', 'Deelonderzoek baggerdepots 3, par. 2.2');
-- 208: only in this version (replaced by 212 in version 12).
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (208, 11, -1, 10, 6, 'Kwelsloot', 4, 'Onderhoud kwelsloot en stuw',
        0, 1, 3,
        2, 1500, 3000, 2, 1, 1,
        'Schonen van de kwelsloot en onderhoud van de stuw.', 'Deelonderzoek baggerdepots 4, par. 2.1');
-- 209: replacement whose start and amount the user chooses.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (209, 11, -1, 10, 6, 'Kwelsloot', 5, 'Vervangen stuw kwelsloot',
        0, NULL, 3,
        2, 3, 20, 30,
        'Vervanging van de stuw; omvang volgens het nazorgplan.', 'Deelonderzoek baggerdepots 4, par. 2.2');

------------------------------------------------------------------------------
-- Dredge-depot version 12 (2010, price level 2010, differentiated scheme,
-- no maximum for communication): version 11 with these changes
--   removed: 208 Onderhoud kwelsloot en stuw
--   added:   212 Onderhoud kwelsloot (in its place), 211 Vervangen drainage
--            depot (large work), 210 combination item absorbing 202 and 206
--   surcharge types: 205 top liner (1), 207 small work (3), 209 still to
--            choose (7), 211 large work (2)
--   changed: 206 unit price 250 - 450 -> 275 - 475
--   footnotes 2 and 3 added (referenced by 211 as '2,3').
------------------------------------------------------------------------------

INSERT INTO tblVoetnoot (intCL_REF, strVoetnootItem, memVoetnoot)
    SELECT 12, strVoetnootItem, memVoetnoot FROM tblVoetnoot WHERE intCL_REF = 11;
INSERT INTO tblVoetnoot (intCL_REF, strVoetnootItem, memVoetnoot) VALUES
    (12, '2', 'De eenheidsprijs is inclusief het verwijderen van de oude drainage.'),
    (12, '3', 'Bij drainage onder een afdeklaag dikker dan 1 m geldt de hoogste eenheidsprijs.');

CREATE TEMP TABLE kopie AS
    SELECT * FROM tblCLitem WHERE intCL_REF = 11 AND blnActief = -1 AND lngCLitem_ID <> 208;
UPDATE kopie SET intCL_REF = 12;
INSERT INTO tblCLitem SELECT * FROM kopie;
DROP TABLE kopie;

UPDATE tblCLitem SET bytTypeVervangingsToeslag = 1 WHERE intCL_REF = 12 AND lngCLitem_ID = 205;
UPDATE tblCLitem SET bytTypeVervangingsToeslag = 3 WHERE intCL_REF = 12 AND lngCLitem_ID = 207;
UPDATE tblCLitem SET bytTypeVervangingsToeslag = 7 WHERE intCL_REF = 12 AND lngCLitem_ID = 209;
UPDATE tblCLitem SET blnCombinatieMogelijk = -1 WHERE intCL_REF = 12 AND lngCLitem_ID IN (202, 206);
UPDATE tblCLitem SET sngPrijsPEmin = 275, sngPrijsPEmax = 475 WHERE intCL_REF = 12 AND lngCLitem_ID = 206;

-- 210: combination of the yearly inspection and the groundwater samples.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        blnIsCombinatiePost, strToelichting, strRefDeelonderz)
VALUES (210, 12, -1, 90, 3, 'Peilbuizen', 2, 'Combinatie inspectie kades en controlemetingen grondwater',
        0, 1, 3,
        2, 2500, 4000, 2, 1, 2,
        -1, 'Eén ronde voor de inspectie van de kades en de bemonstering van het grondwater.', 'Deelonderzoek baggerdepots 3, par. 3.1');
-- 211: replacement of the drains, a large work; footnotes '2,3' on the
-- maximum unit price.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        bytTypeVervangingsToeslag, strToelichting, strRefDeelonderz, strVtNtPrijsPEmax)
VALUES (211, 12, -1, 10, 4, 'Drainage', 5, 'Vervangen drainage depot',
        0, 30, 3,
        3, 50, 80, 'm1', 3, 30, 40,
        2, 'Aanleggen van nieuwe drains onder de afdeklaag.', 'Deelonderzoek baggerdepots 5, par. 2.1', '2,3');
-- 212: in the place of 208.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, intSortNr, bytObjectCat_REF, strVoorz, bytRubriek_REF, strOmschrijving,
        bytStartBA, intStartJaar, bytOptieEind,
        bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX, bytOptieFreq, sngFreqXMin, sngFreqXMax,
        strToelichting, strRefDeelonderz)
VALUES (212, 12, -1, 20, 6, 'Kwelsloot', 4, 'Onderhoud kwelsloot',
        0, 1, 3,
        2, 1500, 3500, 2, 1, 1,
        'Schonen van de kwelsloot; de stuw is een eigen post.', 'Deelonderzoek baggerdepots 4, par. 2.1');

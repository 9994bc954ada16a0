-- Luftraum.tvd: the airspace data file.
--
-- Supplied data; the program only reads it (it neither creates the file nor alters or writes
-- its tables). schema/ runs this script on a new, empty file for test fixtures and for a
-- program folder laid out with tramvik-mkfolder --airspace.
--
-- Positions are DD.MM: integer part degrees, fraction minutes / 100 (48.3012 = 48°30.12'),
-- south and west negative. Altitudes are feet.
--
-- Plain SQLite: the file comes from a data provider, so it declares no collation of ours and
-- anyone can build it with the sqlite3 shell (sqlite3 Luftraum.tvd < Luftraum.sql) or any
-- SQLite library. Where the program compares texts of this file ignoring case, its own query
-- says COLLATE TVNOCASE.
--
-- "Index" is a column name and an SQL keyword in SQLite: every statement must write it quoted
-- ("Index"), also in WHERE and ORDER BY.

-- One row per boundary element of an airspace. All rows of one airspace share "Index";
-- PNumber orders them along the boundary.
CREATE TABLE "Luftraum" (
    "MainIndex" INTEGER,     -- carried along by the selection, not interpreted
    "AspType"   VARCHAR(10), -- 'A' traffic circuit, 'TMZ', 'Q' danger area,
                             -- anything else an airspace class or control zone
    "Index"     INTEGER,     -- airspace number, same on all its rows; readers
                             -- hold it in 16 bits, so at most 32767
    "Low"       INTEGER,     -- lower limit, feet; a flight level as feet
                             -- (FL 65 stored as 6500)
    "High"      INTEGER,     -- upper limit, feet, stored like Low
    "LowType"   VARCHAR(10), -- 'FL' flight level; the ground marker ('GND' or
                             -- ' GND', blank kept); else Low is the label
    "HighType"  VARCHAR(10), -- 'FL' flight level; else High is the label
    "Drawtype"  VARCHAR(2),  -- 'DP' polygon point, 'DB' arc, 'DC' circle
    "Lat"       DOUBLE,      -- DP: the point; DC: the centre. Latitude, DD.MM
    "Long"      DOUBLE,      -- longitude of that point, DD.MM
    "arcRad"    DOUBLE,      -- DC: circle radius, NM
    "arcLat"    DOUBLE,      -- DB: arc centre latitude, DD.MM
    "arcLong"   DOUBLE,      -- DB: arc centre longitude, DD.MM
    "Arcx1"     DOUBLE,      -- DB: start point latitude, DD.MM
    "Arcy1"     DOUBLE,      -- DB: start point longitude, DD.MM
    "Arcx2"     DOUBLE,      -- DB: end point latitude, DD.MM
    "Arcy2"     DOUBLE,      -- DB: end point longitude, DD.MM
    "arcDir"    VARCHAR(1),  -- DB: '+' clockwise (bearings grow), '-' counter
    "PNumber"   INTEGER      -- place within its airspace, 1 for the first row
);
CREATE INDEX "LuftraumIndex" ON "Luftraum" ("Index", "PNumber"); -- one airspace's outline
CREATE INDEX "LuftraumLat" ON "Luftraum" ("Lat");                -- rows in the view box

-- A single row: the release date of the airspace data. A missing table or row reads as an
-- outdated file.
CREATE TABLE "RELEASE" (
    "Datum" DATETIME -- release date, 'yyyy-mm-dd'
);

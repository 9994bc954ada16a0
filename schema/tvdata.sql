-- tvdata.tvd: the airport data file.
--
-- In the field this file comes from the sibling airport tool (Tramvik APT), which keeps it
-- behind a database password. Ours is plain SQLite without a password; nothing opens it with
-- one. The program only reads it and uses it only when it exists. schema/ runs this script on a
-- new, empty file for test fixtures and for tramvik-mkfolder --airports; the tables and fields
-- are those the program reads.
--
-- Positions in this file are DECIMAL DEGREES (WGS 84), not the DD.MM form of data.tvd.
-- Lengths are metres. Codes are kept exactly as stored, blanks included.
--
-- Plain SQLite: the file comes from another program, so it declares no collation of ours and
-- anyone can build it with the sqlite3 shell (sqlite3 tvdata.tvd < tvdata.sql) or any SQLite
-- library. Where the program compares texts of this file ignoring case (ICAO codes), its own
-- query says COLLATE TVNOCASE.

-- One row per airport.
CREATE TABLE "ARPT" (
    "ICAO"      VARCHAR(10), -- ICAO location indicator, e.g. 'EDDM'; its first
                             -- two characters are the country prefix
    "WGS_DLAT"  DOUBLE,      -- latitude, decimal degrees, south negative
    "WGS_DLONG" DOUBLE,      -- longitude, decimal degrees, west negative
    "RWYALen"   INTEGER,     -- hard-surface runway length, metres; > 0 = has one
    "RWYGLen"   INTEGER      -- grass runway length, metres
);
CREATE INDEX "ARPTICAO" ON "ARPT" ("ICAO");

-- One row per runway.
CREATE TABLE "RWY" (
    "ICAO"    VARCHAR(10), -- ARPT.ICAO of its airport
    "rwy"     VARCHAR(20), -- designation as printed, e.g. '07/25'
    "RWYHdg"  VARCHAR(10), -- heading; first three characters = degrees when
                           -- they form a number
    "Surface" VARCHAR(1),  -- '0' hard surface, '1' grass (compared as text)
    "LENGTH"  INTEGER      -- runway length, metres; the longest is shown
);
CREATE INDEX "RWYICAO" ON "RWY" ("ICAO", "LENGTH"); -- an airport's runways, longest first

-- One row per radio station of an airport.
CREATE TABLE "ACOM" (
    "ICAO" VARCHAR(10), -- ARPT.ICAO of its airport
    "Name" VARCHAR(50), -- station name; the map looks for ATIS, INFO, TWR in it
    "Freq" VARCHAR(20)  -- frequency, MHz, printed as stored (e.g. '118.500')
);
CREATE INDEX "ACOMICAO" ON "ACOM" ("ICAO");

-- One row per ICAO country prefix.
CREATE TABLE "ICAOCODE" (
    "ICAO" VARCHAR(5), -- two-character prefix, e.g. 'ED'
    "Name" VARCHAR(50) -- country name
);
CREATE INDEX "ICAOCODEICAO" ON "ICAOCODE" ("ICAO");

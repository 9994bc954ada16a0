-- tvdata.tvd: the airport data file.
--
-- In the field this file comes from the sibling airport tool (Tramvik APT), which keeps it
-- behind a database password. Ours is plain SQLite without a password; nothing opens it with
-- one. The program only reads it and uses it only when it exists. schema/ runs this script on a
-- new, empty file for test fixtures and for tramvik-mkfolder --airports; the tables and fields
-- are those the program reads.
--
-- Positions in this file are DECIMAL DEGREES (WGS 84), not the DD.MM form of data.tvd.
-- Lengths are metres. Text columns are COLLATE TVNOCASE (register the collation first,
-- platform/Collation.h). Codes are kept exactly as stored, blanks included.

-- One row per airport.
CREATE TABLE "ARPT" (
    "ICAO"      VARCHAR(10) COLLATE TVNOCASE, -- ICAO location indicator, e.g. 'EDDM'; its first
                                              -- two characters are the country prefix
    "WGS_DLAT"  DOUBLE,                       -- latitude, decimal degrees, south negative
    "WGS_DLONG" DOUBLE,                       -- longitude, decimal degrees, west negative
    "RWYALen"   INTEGER,                      -- hard-surface runway length, metres; > 0 = has one
    "RWYGLen"   INTEGER                       -- grass runway length, metres
);
CREATE INDEX "ARPTICAO" ON "ARPT" ("ICAO");

-- One row per runway.
CREATE TABLE "RWY" (
    "ICAO"    VARCHAR(10) COLLATE TVNOCASE, -- ARPT.ICAO of its airport
    "rwy"     VARCHAR(20) COLLATE TVNOCASE, -- designation as printed, e.g. '07/25'
    "RWYHdg"  VARCHAR(10) COLLATE TVNOCASE, -- heading; first three characters = degrees when
                                            -- they form a number
    "Surface" VARCHAR(1) COLLATE TVNOCASE,  -- '0' hard surface, '1' grass (compared as text)
    "LENGTH"  INTEGER                       -- runway length, metres; the longest is shown
);
CREATE INDEX "RWYICAO" ON "RWY" ("ICAO", "LENGTH"); -- an airport's runways, longest first

-- One row per radio station of an airport.
CREATE TABLE "ACOM" (
    "ICAO" VARCHAR(10) COLLATE TVNOCASE, -- ARPT.ICAO of its airport
    "Name" VARCHAR(50) COLLATE TVNOCASE, -- station name; the map looks for ATIS, INFO, TWR in it
    "Freq" VARCHAR(20) COLLATE TVNOCASE  -- frequency, MHz, printed as stored (e.g. '118.500')
);
CREATE INDEX "ACOMICAO" ON "ACOM" ("ICAO");

-- One row per ICAO country prefix.
CREATE TABLE "ICAOCODE" (
    "ICAO" VARCHAR(5) COLLATE TVNOCASE, -- two-character prefix, e.g. 'ED'
    "Name" VARCHAR(50) COLLATE TVNOCASE -- country name
);
CREATE INDEX "ICAOCODEICAO" ON "ICAOCODE" ("ICAO");

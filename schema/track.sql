-- track.tvd: the track file (recorded flights).
--
-- The program opens this file and never creates it or alters its tables; only schema/ runs this
-- script, on a new, empty file. The track manager copies the whole file to track.bak before it
-- deletes tracks, so the file must stay self-contained: keep SQLite's default rollback journal
-- (no WAL, whose separate -wal file the copy would miss).
--
-- "Index", "Number", "Date" and "Time" are column names. Index is an SQL keyword in SQLite:
-- every statement must write it quoted ("Index"), also in WHERE and ORDER BY.
--
-- Positions in this file are DECIMAL DEGREES (48.5 = 48°30'), not the DD.MM form of data.tvd.
-- Text columns are COLLATE TVNOCASE (register the collation first, platform/Collation.h).

-- One row per recorded track.
CREATE TABLE "List" (
    -- Track number. AUTOINCREMENT: a number is never given out again after its track was
    -- deleted, so an exported or remembered number never names another flight.
    "Index" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Name"  VARCHAR(50) COLLATE TVNOCASE -- start of the recording, PC clock: 'ddMMMyy - hh:mm'
);

-- One row per recorded point. The SELECT texts of the program also write the name as "Track";
-- SQLite table names ignore ASCII case.
CREATE TABLE "track" (
    "Index"  INTEGER,                     -- List.Index of its track
    "Number" INTEGER,                     -- running number within the track, 1 for the first
    "Lat"    DOUBLE,                      -- latitude, decimal degrees, south negative
    "Long"   DOUBLE,                      -- longitude, decimal degrees, west negative
    "Height" DOUBLE,                      -- GPS altitude, metres; NULL when none was shown
    "Date"   VARCHAR(10) COLLATE TVNOCASE, -- PC date 'YYYY-MM-DD'
    "Time"   VARCHAR(8) COLLATE TVNOCASE   -- time from the GPS receiver 'HH:MM:SS'
);
CREATE INDEX "trackIndexNumber" ON "track" ("Index", "Number"); -- a track's points in order

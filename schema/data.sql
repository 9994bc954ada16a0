-- data.tvd: the main data file (waypoints, routes, waypoint categories, charts).
--
-- The program opens this file and never creates it or alters its tables; only schema/ (the
-- tool tramvik-mkfolder and test fixtures) runs this script, on a new, empty file.
--
-- Conventions of this file:
-- * Every text column is COLLATE TVNOCASE: "=", ORDER BY and the indexes ignore case, umlauts
--   included (ä = Ä). Register the collation on the connection before running any statement
--   (platform/Collation.h), or SQLite reports "no such collation sequence".
-- * Positions are DD.MM: integer part degrees, fraction minutes / 100 (48.3012 = 48°30.12'),
--   south and west negative.
-- * "Nummer" is DOUBLE on purpose: a new row is stored at position + 0.3 for a moment, then the
--   whole list is renumbered 1..n.
-- * Booleans are stored 0/1 and tested as <> 0.
-- * Tables without an autonumber key (Kategorie, Maps) are edited through SQLite's rowid.

-- One row per named point: user waypoints, imported airports, points taken from route files.
-- Names are unique only by the program's own check when a waypoint is added.
CREATE TABLE "Waypoints" (
    "PointID"   INTEGER PRIMARY KEY AUTOINCREMENT, -- autonumber; GpsPoints.PointID refers to it
    "Name"      VARCHAR(255) COLLATE TVNOCASE,     -- name; 4 characters = an airport's ICAO code
    "Lat"       DOUBLE,                            -- latitude, DD.MM, south negative
    "Long"      DOUBLE,                            -- longitude, DD.MM, west negative
    "Kategorie" VARCHAR(255) COLLATE TVNOCASE      -- Kategorie.Kategorie of its category, '' none
);
CREATE INDEX "WaypointsName" ON "Waypoints" ("Name");           -- list order, Find by name
CREATE INDEX "WaypointsLat" ON "Waypoints" ("Lat");             -- waypoints in the map view
CREATE INDEX "WaypointsKategorie" ON "Waypoints" ("Kategorie", "Name"); -- category filter

-- One row per route. Names are not unique.
CREATE TABLE "Route" (
    "RouteID" INTEGER PRIMARY KEY AUTOINCREMENT, -- autonumber; GpsPoints.RouteID refers to it
    "Name"    VARCHAR(255) COLLATE TVNOCASE,     -- route name as entered (or route file name)
    "Nummer"  DOUBLE                             -- place in the route list, ascending; gaps allowed
);
CREATE INDEX "RouteNummer" ON "Route" ("Nummer");

-- One row per point of a route, in ascending Nummer. Name, Lat and Long are copies taken when the
-- point was added: they stay when the waypoint is later changed or deleted, so there is no
-- foreign key to Waypoints.
CREATE TABLE "GpsPoints" (
    "id"      INTEGER PRIMARY KEY AUTOINCREMENT, -- autonumber
    "RouteID" INTEGER,                           -- Route.RouteID of the route it belongs to
    "Nummer"  DOUBLE,                            -- place within its route, ascending; gaps allowed
    "PointID" INTEGER,                           -- Waypoints.PointID it was made from
    "Name"    VARCHAR(255) COLLATE TVNOCASE,     -- copy of the waypoint's name ('' for none)
    "Lat"     DOUBLE,                            -- copy of the latitude, DD.MM, south negative
    "Long"    DOUBLE                             -- copy of the longitude, DD.MM, west negative
);
CREATE INDEX "GpsPointsRoute" ON "GpsPoints" ("RouteID", "Nummer"); -- one route's points in order

-- The waypoint categories, an ordered list of names. A waypoint names its category in
-- Waypoints.Kategorie; there is no key between the two.
CREATE TABLE "Kategorie" (
    "Kategorie" VARCHAR(255) COLLATE TVNOCASE, -- category name, unique by the program's check
    "Nummer"    DOUBLE                         -- place in the list, 1..n after every change
);
CREATE INDEX "KategorieNummer" ON "Kategorie" ("Nummer");

-- One row per chart image in the folder Karten. Readers rely on Unten < Oben and
-- Links < Rechts (charts are found with BETWEEN) and on Breite/Höhe being the image's true size.
CREATE TABLE "Maps" (
    "Name"   VARCHAR(255) COLLATE TVNOCASE, -- image file name with extension, e.g. 'demo.bmp'
    "Unten"  DOUBLE,                        -- southern (lower) edge: latitude, DD.MM
    "Oben"   DOUBLE,                        -- northern (upper) edge: latitude, DD.MM
    "Links"  DOUBLE,                        -- western (left) edge: longitude, DD.MM
    "Rechts" DOUBLE,                        -- eastern (right) edge: longitude, DD.MM
    "Breite" INTEGER,                       -- image width, pixels
    "Höhe"   INTEGER,                       -- image height, pixels
    "Active" BOOLEAN DEFAULT 0              -- 1: offered in the flight and plan windows
);
CREATE INDEX "MapsName" ON "Maps" ("Name");

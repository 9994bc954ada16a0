#pragma once

#include <string>
#include <vector>

// The demo world: one chart of the country between Stuttgart and Augsburg, the waypoints and
// airports on it, one route across it, and a few airspaces. The demo program folder and the
// demo flight are both built from these tables, so the flight follows the route stored in the
// folder.
//
// Demo data only: positions are rounded, runways, frequencies and airspaces are simplified or
// made up. Nothing here is fit for navigation.
//
// Positions marked DD.MM are as the main data file stores them: integer part degrees, fraction
// minutes / 100 (48.4124 = 48°41.24'), south and west negative. Airport positions are decimal
// degrees, as the airport data file holds them.
namespace tv::demo {

struct DemoChart
{
    std::string name;  // file name in the folder Karten, e.g. "demo.jpg"
    double untenDDMM;  // southern edge
    double obenDDMM;   // northern edge
    double linksDDMM;  // western edge
    double rechtsDDMM; // eastern edge
    int widthPx;
    int heightPx;
};

struct DemoWaypoint
{
    std::string name; // four characters: an airport's ICAO code (the map draws the airport)
    double latDDMM;
    double lonDDMM;
    std::string category; // a name of demoCategories()
};

struct DemoRunway
{
    std::string designation; // as printed, "07/25"
    std::string heading;     // three digits, degrees
    bool grass;
    int lengthM;
};

struct DemoStation
{
    std::string name; // the map looks for ATIS, INFO, TWR in it
    std::string frequencyMHz;
};

struct DemoAirport
{
    std::string icao;
    double latDeg;
    double lonDeg;
    std::vector<DemoRunway> runways;
    std::vector<DemoStation> stations;
};

// One element of an airspace boundary, as a row of the Luftraum table.
struct DemoAirspaceRow
{
    std::string drawType; // "DP" polygon point, "DC" circle, "DB" arc
    double latDDMM;       // the point, the circle's centre, or the arc's start point
    double lonDDMM;
    double radiusNm = 0.0; // DC only
    // DB only: the arc's centre, its end point and direction ("+" clockwise, "-" counter-
    // clockwise); it starts at (latDDMM, lonDDMM) and keeps the distance of that point.
    double centreLatDDMM = 0.0;
    double centreLonDDMM = 0.0;
    double endLatDDMM = 0.0;
    double endLonDDMM = 0.0;
    std::string direction = {};
};

struct DemoAirspace
{
    int index;
    std::string type; // "A" traffic circuit, "D" control zone, ...
    int lowFt;
    std::string lowType; // "GND", "FL" or "" (the number is the label)
    int highFt;
    std::string highType;
    std::vector<DemoAirspaceRow> rows;
};

const DemoChart& demoChart();
// The waypoint categories, in list order.
const std::vector<std::string>& demoCategories();
const std::vector<DemoWaypoint>& demoWaypoints();
const std::vector<DemoAirport>& demoAirports();
const std::vector<DemoAirspace>& demoAirspaces();
// ICAO prefix and country name.
const std::vector<std::pair<std::string, std::string>>& demoCountries();

// The demo route: its name and the names of its points in order (each one of demoWaypoints()).
const std::string& demoRouteName();
const std::vector<std::string>& demoRoutePointNames();
// The route's points as waypoints, in order.
std::vector<DemoWaypoint> demoRoutePoints();

} // namespace tv::demo

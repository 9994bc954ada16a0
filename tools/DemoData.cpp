#include "tools/DemoData.h"

#include <stdexcept>

namespace tv::demo {

const DemoChart& demoChart()
{
    // 48°00'-49°00' N, 9°00'-11°00' E. At 48.5° N two degrees of longitude are 79.5 NM and one
    // of latitude 60 NM, so 4000 x 3000 pixels keep the chart nearly true to shape.
    static const DemoChart chart{"demo.jpg", 48.00, 49.00, 9.00, 11.00, 4000, 3000};
    return chart;
}

const std::vector<std::string>& demoCategories()
{
    static const std::vector<std::string> categories{"Flugplätze", "Orte"};
    return categories;
}

const std::vector<DemoWaypoint>& demoWaypoints()
{
    static const std::vector<DemoWaypoint> points{
        {"EDDS", 48.4139, 9.1331, "Flugplätze"},  {"EDST", 48.3791, 9.2585, "Flugplätze"},
        {"EDPJ", 48.2981, 9.3842, "Flugplätze"},  {"EDPA", 48.4667, 10.1588, "Flugplätze"},
        {"EDMA", 48.2552, 10.5590, "Flugplätze"}, {"EDTM", 48.0319, 9.2237, "Flugplätze"},
        {"Göppingen", 48.4221, 9.3913, "Orte"},   {"Geislingen", 48.3746, 9.4984, "Orte"},
        {"Ulm", 48.2391, 9.5950, "Orte"},         {"Günzburg", 48.2716, 10.1628, "Orte"},
        {"Reutlingen", 48.2948, 9.1226, "Orte"},  {"Aalen", 48.5027, 10.0560, "Orte"},
        {"Nördlingen", 48.5107, 10.2930, "Orte"}, {"Donauwörth", 48.4310, 10.4678, "Orte"},
        {"Dillingen", 48.3486, 10.2970, "Orte"},  {"Biberach", 48.0592, 9.4727, "Orte"},
    };
    return points;
}

const std::vector<DemoAirport>& demoAirports()
{
    static const std::vector<DemoAirport> airports{
        {"EDDS",
         48.6899,
         9.2219,
         {{"07/25", "072", false, 3345}},
         {{"STUTTGART ATIS", "126.125"},
          {"STUTTGART TOWER", "118.800"},
          {"LANGEN INFORMATION", "128.950"}}},
        {"EDST", 48.6319, 9.4309, {{"05/23", "050", true, 650}}, {{"HAHNWEIDE INFO", "122.550"}}},
        {"EDPJ", 48.4969, 9.6403, {{"08/26", "082", true, 800}}, {{"LAICHINGEN INFO", "123.650"}}},
        {"EDPA", 48.7778, 10.2647, {{"09/27", "092", false, 1400}}, {{"AALEN INFO", "122.855"}}},
        {"EDMA",
         48.4253,
         10.9317,
         {{"07/25", "071", false, 1600}},
         {{"AUGSBURG ATIS", "124.280"},
          {"AUGSBURG TOWER", "124.980"},
          {"MUENCHEN INFORMATION", "126.950"}}},
        {"EDTM",
         48.0531,
         9.3728,
         {{"08/26", "081", false, 1900}, {"08R/26L", "081", true, 600}},
         {{"MENGEN INFO", "122.855"}}},
    };
    return airports;
}

const std::vector<DemoAirspace>& demoAirspaces()
{
    static const std::vector<DemoAirspace> airspaces{
        // Control zone: a circle about the airport, ground to 2500 ft.
        {1, "D", 0, "GND", 2500, "", {{"DC", 48.4139, 9.1331, 6.0}}},
        // A class C area over the Stuttgart region, 2500 ft to FL 65.
        {2,
         "C",
         2500,
         "",
         6500,
         "FL",
         {{"DP", 48.5500, 9.0500},
          {"DP", 48.5500, 9.3500},
          {"DP", 48.3000, 9.4500},
          {"DP", 48.2500, 9.0500}}},
        // Traffic circuit of the glider field.
        {3,
         "A",
         0,
         "GND",
         3000,
         "",
         {{"DP", 48.3900, 9.2400},
          {"DP", 48.3900, 9.2800},
          {"DP", 48.3700, 9.2800},
          {"DP", 48.3700, 9.2400}}},
        // A danger area over the Swabian Jura, ground to FL 100.
        {4,
         "Q",
         0,
         "GND",
         10000,
         "FL",
         {{"DP", 48.2800, 9.2400},
          {"DP", 48.2800, 9.3400},
          {"DP", 48.2000, 9.3400},
          {"DP", 48.2000, 9.2400}}},
        // Transponder mandatory zone north-west of Augsburg, 1500 ft to 5000 ft.
        {5,
         "TMZ",
         1500,
         "",
         5000,
         "",
         {{"DP", 48.3500, 10.4500},
          {"DP", 48.3500, 10.5800},
          {"DP", 48.1800, 10.5800},
          {"DP", 48.1800, 10.4500}}},
        // A class D area bounded by arcs: bulging east round a centre on its eastern side
        // ("+"), cut in on its western side round a centre west of it ("-"). 1500 ft to FL 50.
        {6,
         "D",
         1500,
         "",
         5000,
         "FL",
         {{"DP", 48.4200, 9.8000},
          {"DP", 48.4200, 9.9500},
          {"DB", 48.4200, 9.9500, 0.0, 48.3600, 9.9500, 48.3000, 9.9500, "+"},
          {"DP", 48.3000, 9.8000},
          {"DB", 48.3000, 9.8000, 0.0, 48.3500, 9.7600, 48.4000, 9.8000, "-"}}},
        // Class C from FL 75 to FL 100 over Ulm: above the demo flight, so the flight map
        // leaves it out and the plan map shows it for "all" and for high altitudes.
        {7,
         "C",
         7500,
         "FL",
         10000,
         "FL",
         {{"DP", 48.3000, 9.4800},
          {"DP", 48.3000, 9.7200},
          {"DP", 48.1500, 9.7200},
          {"DP", 48.1500, 9.4800}}},
    };
    return airspaces;
}

const std::vector<std::pair<std::string, std::string>>& demoCountries()
{
    static const std::vector<std::pair<std::string, std::string>> countries{
        {"ED", "Deutschland"}, {"LO", "Österreich"}, {"LS", "Schweiz"}};
    return countries;
}

const std::string& demoRouteName()
{
    static const std::string name = "Stuttgart - Augsburg";
    return name;
}

const std::vector<std::string>& demoRoutePointNames()
{
    static const std::vector<std::string> names{"EDDS", "Göppingen", "Geislingen",
                                                "Ulm",  "Günzburg",  "EDMA"};
    return names;
}

std::vector<DemoWaypoint> demoRoutePoints()
{
    std::vector<DemoWaypoint> points;
    for (const std::string& name : demoRoutePointNames()) {
        bool found = false;
        for (const DemoWaypoint& w : demoWaypoints()) {
            if (w.name == name) {
                points.push_back(w);
                found = true;
                break;
            }
        }
        if (!found)
            throw std::logic_error("demo route point " + name + " is no demo waypoint");
    }
    return points;
}

} // namespace tv::demo

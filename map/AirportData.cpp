#include "map/AirportData.h"

#include "map/NumberText.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Log.h"
#include "platform/Recordset.h"
#include "platform/TextFold.h"

#include <algorithm>
#include <unordered_set>

namespace tv {

namespace {

bool containsAny(const QString& upper, std::initializer_list<const char*> words)
{
    return std::any_of(words.begin(), words.end(),
                       [&](const char* word) { return upper.contains(QString::fromUtf8(word)); });
}

QString text(const Value& value)
{
    return QString::fromStdString(value.toString());
}

std::optional<QString> optionalText(const Value& value)
{
    if (value.isNull())
        return std::nullopt;
    return text(value);
}

// Names per query: well below SQLite's limit of bound parameters.
constexpr std::size_t kBatch = 200;

std::string placeholders(std::size_t count)
{
    std::string list;
    for (std::size_t i = 0; i < count; ++i)
        list += i == 0 ? "?" : ",?";
    return list;
}

} // namespace

FrequencyLines frequencyLines(const std::vector<AirportStation>& stations)
{
    FrequencyLines lines;
    bool infoSet = false;
    for (const AirportStation& station : stations) {
        const QString upper = station.name.toUpper();
        const QString line = station.name + QLatin1Char(' ') + station.freq;
        if (upper.contains(QLatin1String("ATIS")))
            lines.atis = line;
        // The large area information services are no airport's own station.
        if (upper.contains(QLatin1String("INFO")) &&
            !containsAny(upper, {"LANGEN", "MÜNCHEN", "MUNICH", "MUNCHEN", "BERLIN", "BREMEN"})) {
            lines.info = line;
            infoSet = true;
        }
    }
    if (!infoSet) {
        for (const AirportStation& station : stations) {
            if (containsAny(station.name.toUpper(), {"TWR", "TOWER", "START", "TURM"})) {
                lines.info = station.name + QLatin1Char(' ') + station.freq;
                break;
            }
        }
    }
    return lines;
}

std::optional<double> runwayHeading(const QString& rwyHdg)
{
    return wholeNumber(rwyHdg.left(3));
}

AirportInfo describeAirport(const Value& hardLengthM, const Value& grassLengthM,
                            const std::vector<AirportRunway>& runwaysLongestFirst,
                            const std::vector<AirportStation>& stations)
{
    AirportInfo info;
    info.lines = frequencyLines(stations);
    const bool hard = hardLengthM.toDouble() > 0.0;
    const QString surface = QLatin1String(hard ? "0" : "1");
    const Value& length = hard ? hardLengthM : grassLengthM;
    info.runwayColour = hard ? kHardRunwayColour : kGrassRunwayColour;

    const auto runway = std::find_if(runwaysLongestFirst.begin(), runwaysLongestFirst.end(),
                                     [&](const AirportRunway& r) { return r.surface == surface; });
    if (runway == runwaysLongestFirst.end())
        return info; // no runway of that surface: ring and name only
    if (runway->rwy)
        info.runwayText = *runway->rwy + QLatin1String(" - ") + text(length) + QLatin1String(" m ");
    if (runway->heading)
        info.headingDeg = runwayHeading(*runway->heading);
    return info;
}

std::string AirportLookup::key(const QString& name)
{
    return foldCase(name.toStdString());
}

void AirportLookup::useConnection(const Connection* airports)
{
    if (airports != connection_) {
        known_.clear();
        connection_ = airports;
    }
}

void AirportLookup::clear()
{
    known_.clear();
}

bool AirportLookup::known(const QString& name) const
{
    return known_.count(key(name)) != 0;
}

const AirportInfo* AirportLookup::find(const QString& name) const
{
    const auto it = known_.find(key(name));
    if (it == known_.end() || !it->second)
        return nullptr;
    return &*it->second;
}

void AirportLookup::prefetch(Connection& airports, const std::vector<QString>& names)
{
    useConnection(&airports);
    std::vector<std::string> keys;
    std::vector<QString> asked;
    std::unordered_set<std::string> seen;
    for (const QString& name : names) {
        if (name.size() != 4)
            continue;
        std::string k = key(name);
        if (known_.count(k) != 0 || !seen.insert(k).second)
            continue;
        keys.push_back(std::move(k));
        asked.push_back(name);
        if (keys.size() == kBatch) {
            lookUpBatch(airports, keys, asked);
            keys.clear();
            asked.clear();
        }
    }
    if (!keys.empty())
        lookUpBatch(airports, keys, asked);
}

void AirportLookup::lookUpBatch(Connection& airports, const std::vector<std::string>& keys,
                                const std::vector<QString>& names)
{
    struct Found
    {
        bool hasArpt = false;
        Value hardLength;
        Value grassLength;
        std::vector<AirportRunway> runways;
        std::vector<AirportStation> stations;
    };
    std::unordered_map<std::string, Found> found;
    std::vector<Value> params;
    params.reserve(names.size());
    for (const QString& name : names)
        params.emplace_back(name.toStdString());
    // tvdata.tvd declares no collation of ours (it comes from another program): the ICAO
    // codes are compared ignoring case, as the pilot typed them, by saying so here.
    const std::string in = " COLLATE TVNOCASE IN (" + placeholders(names.size()) + ")";

    try {
        Recordset rs;
        // The first row of an airport counts, as a lookup of one name read its first row.
        rs.Open("SELECT ICAO, RWYALen, RWYGLen FROM ARPT WHERE ICAO" + in + " ORDER BY rowid",
                airports, params);
        for (; !rs.Eof(); rs.MoveNext()) {
            Found& f = found[key(text(rs.Field("ICAO")))];
            if (f.hasArpt)
                continue;
            f.hasArpt = true;
            f.hardLength = rs.Field("RWYALen");
            f.grassLength = rs.Field("RWYGLen");
        }
        rs.Open("SELECT ICAO, rwy, RWYHdg, Surface FROM RWY WHERE ICAO" + in +
                    " ORDER BY LENGTH DESC, rowid",
                airports, params);
        for (; !rs.Eof(); rs.MoveNext()) {
            const auto it = found.find(key(text(rs.Field("ICAO"))));
            if (it == found.end())
                continue;
            it->second.runways.push_back({optionalText(rs.Field("rwy")),
                                          optionalText(rs.Field("RWYHdg")),
                                          text(rs.Field("Surface"))});
        }
        rs.Open("SELECT ICAO, Name, Freq FROM ACOM WHERE ICAO" + in + " ORDER BY rowid", airports,
                params);
        for (; !rs.Eof(); rs.MoveNext()) {
            const auto it = found.find(key(text(rs.Field("ICAO"))));
            if (it == found.end())
                continue;
            it->second.stations.push_back({text(rs.Field("Name")), text(rs.Field("Freq"))});
        }
    } catch (const DbError& e) {
        logIgnoredFault(e, "the airports are looked up again at the next redraw");
        return;
    }

    for (const std::string& k : keys) {
        const auto it = found.find(k);
        if (it == found.end() || !it->second.hasArpt) {
            known_[k] = std::nullopt;
            continue;
        }
        const Found& f = it->second;
        known_[k] = describeAirport(f.hardLength, f.grassLength, f.runways, f.stations);
    }
}

} // namespace tv

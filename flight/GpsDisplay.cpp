#include "flight/GpsDisplay.h"

#include "core/Units.h"
#include "map/NumberText.h"

namespace tv {
namespace {

const QString kNone = QStringLiteral("---");

} // namespace

QString speedText(const GpsFix& fix, bool knots)
{
    if (!fix.speedKt)
        return kNone;
    return formatNumber(knots ? *fix.speedKt : *fix.speedKt * kKmPerNm, QStringLiteral("##0"));
}

QString speedUnitText(bool knots)
{
    return knots ? QStringLiteral("kts") : QStringLiteral("km/h");
}

QString trackText(const GpsFix& fix)
{
    if (!fix.trackDegTrue)
        return kNone;
    return formatNumber(*fix.trackDegTrue, QStringLiteral("000"));
}

std::optional<double> shownTrack(const GpsFix& fix)
{
    if (!fix.trackDegTrue)
        return std::nullopt;
    return shownTrackDeg(fix);
}

QString altitudeText(const GpsFix& fix, bool feet)
{
    if (!fix.altitudeM)
        return kNone;
    if (feet)
        return formatNumber(*fix.altitudeM * kFeetPerMetre, QStringLiteral("######"));
    return formatNumber(*fix.altitudeM, QStringLiteral("#####"));
}

QString altitudeUnitText(bool feet)
{
    return feet ? QStringLiteral("ft") : QStringLiteral("m");
}

std::optional<double> altitudeFeet(const GpsFix& fix)
{
    if (!fix.altitudeM)
        return std::nullopt;
    return *fix.altitudeM * kFeetPerMetre;
}

QString satelliteTip(const GpsFix& fix)
{
    const QString used = fix.satellitesUsed ? QString::number(*fix.satellitesUsed) : QString();
    return QStringLiteral("Sat: ") + used + QStringLiteral("/") +
           QString::number(fix.satellitesInView);
}

} // namespace tv

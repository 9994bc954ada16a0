#include "planning/PlanText.h"

namespace tv {

QString coordinateText(double value, NumberStyle style)
{
    QString text = QString::fromStdString(formatPattern(value, "####.###0", style));
    const QChar mark = QLatin1Char(style.decimalMark);
    if (text.contains(mark)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(mark))
            text.chop(1);
    }
    // "####" shows no digit before the mark below 1: the typed form has one.
    if (text.startsWith(mark))
        text.prepend(QLatin1Char('0'));
    else if (text.startsWith(QLatin1Char('-')) && text.size() > 1 && text.at(1) == mark)
        text.insert(1, QLatin1Char('0'));
    if (text.isEmpty() || text == QLatin1String("-"))
        text = QStringLiteral("0");
    return text;
}

std::optional<double> typedNumber(const QString& text)
{
    return readStrictNumber(text.toStdString());
}

QString distanceText(double distanceNm, NumberStyle style)
{
    return QString::fromStdString(formatPattern(distanceNm, "##0.0", style)) +
           QStringLiteral(" NM");
}

QString courseText(double courseDeg, NumberStyle style)
{
    return QString::fromStdString(formatPattern(courseDeg, "##0", style)) + QStringLiteral(" °");
}

QString routeLengthText(double lengthNm, NumberStyle style)
{
    return QString::fromStdString(formatPattern(lengthNm, "#####", style)) + QStringLiteral(" NM");
}

} // namespace tv

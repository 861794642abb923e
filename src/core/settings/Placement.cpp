#include "settings/Placement.h"

#include "settings/Settings.h"

#include <cmath>

namespace corv {

namespace {

// A placement number as written by this locale, or by another one ("8,25"
// read where the decimal separator is "."); out of every sensible range
// (1e300, nan) it is 0, so that no window is ever put nowhere.
double number(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    QLocale strict = locale;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    double value = strict.toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(QString(trimmed).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    if (!ok)
        value = leadingNumber(trimmed);
    constexpr double kLimit = 1e7; // twips: about seven metres of screen
    return std::isfinite(value) && std::abs(value) <= kLimit ? value : 0.0;
}

QString numberText(double value, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(static_cast<float>(value), 'g', 7);
}

QString key(const QString& windowName) { return windowName + QStringLiteral("_Size"); }

} // namespace

Placement Placement::parse(const QString& text, const QLocale& locale)
{
    const QStringList parts = text.split(QLatin1Char('|'));
    const auto at = [&](int i) { return i < parts.size() ? number(parts[i], locale) : 0.0; };
    Placement p;
    const int state = static_cast<int>(at(0));
    p.state = state >= Normal && state <= Maximised ? state : Normal;
    p.top = at(1);
    p.left = at(2);
    p.height = at(3);
    p.width = at(4);
    if (parts.size() > 5 && !parts[5].trimmed().isEmpty()) {
        const double size = at(5);
        if (size >= 1 && size <= 200)
            p.fontSize = size;
    }
    return p;
}

QString Placement::format(const QLocale& locale) const
{
    QString text = QString::number(state) + QLatin1Char('|') + numberText(top, locale) + QLatin1Char('|')
                   + numberText(left, locale) + QLatin1Char('|') + numberText(height, locale)
                   + QLatin1Char('|') + numberText(width, locale) + QLatin1Char('|');
    if (fontSize)
        text += numberText(*fontSize, locale) + QLatin1Char('|');
    return text;
}

bool savePlacement(IniFile& file, const QString& windowName, const Placement& current,
                   const QString& section, const QLocale& locale)
{
    Placement stored;
    if (current.state != Placement::Normal) {
        stored = Placement::parse(file.read(section, key(windowName), QStringLiteral("0|1|1|1500|1500|")),
                                  locale);
        stored.state = current.state;
        if (current.fontSize)
            stored.fontSize = current.fontSize;
    } else {
        stored = current;
        stored.top = std::max(0.0, stored.top);
        stored.left = std::max(0.0, stored.left);
    }
    bool ok = file.write(section, key(windowName), stored.format(locale));

    for (const char* prefix : {"S", "T", "L", "H", "W", "F"}) {
        if (*prefix == 'F' && !current.fontSize)
            continue; // only the list viewer kept its font size under the one-value-per-key layout
        const QString oldKey = QLatin1String(prefix) + windowName;
        if (!file.read(section, oldKey).isEmpty())
            ok = file.write(section, oldKey, QString()) && ok;
    }
    return ok;
}

Placement restorePlacement(const IniFile& file, const QString& windowName, double& minHeight,
                           double& minWidth, const WindowDesign& design, const QString& section,
                           std::optional<double> defaultFontSize, const QLocale& locale)
{
    if (minHeight < 1000 && design.height >= 1001)
        minHeight = design.height;
    if (minWidth < 1000 && design.width >= 1001)
        minWidth = design.width;

    Placement fallback;
    fallback.height = minHeight;
    fallback.width = minWidth;
    fallback.fontSize = defaultFontSize;
    Placement stored = Placement::parse(file.read(section, key(windowName), fallback.format(locale)), locale);
    if (!stored.fontSize)
        stored.fontSize = defaultFontSize;
    if (!design.sizable) {
        stored.height = design.height;
        stored.width = design.width;
    }
    return stored;
}

} // namespace corv

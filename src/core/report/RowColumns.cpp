#include "report/RowColumns.h"

namespace corv {

int RowColumns::at(const char* name) const
{
    const auto found = positions_.constFind(name);
    if (found != positions_.cend())
        return *found;
    const int position = reader_.indexOf(QLatin1String(name));
    positions_.insert(name, position);
    return position;
}

RowColumns& RowColumns::textAt(int column, int width)
{
    if (const auto bytes = reader_.bytes(column))
        line_.utf8(*bytes, width);
    else
        line_.text(reader_.text(column), width);
    return *this;
}

RowColumns& RowColumns::text(const char* name, int width) { return textAt(at(name), width); }

RowColumns& RowColumns::right(const char* name, int width)
{
    line_.right(reader_.text(at(name)), width);
    return *this;
}

RowColumns& RowColumns::date(const char* name, int width)
{
    const int position = at(name);
    if (const auto bytes = reader_.bytes(position); bytes && line_.isoDate(*bytes, width))
        return *this;
    line_.date(reader_.isNull(position) ? QVariant() : reader_.value(position), width);
    return *this;
}

RowColumns& RowColumns::number(const char* name, int width, int decimals)
{
    const int position = at(name);
    if (reader_.isNull(position))
        line_.blank(width);
    else
        line_.number(reader_.amount(position), reader_.text(position), width, decimals);
    return *this;
}

} // namespace corv

#pragma once

#include "platform/IniFile.h"

#include <QString>
#include <optional>
#include <utility>

namespace corv {

// A text setting: its key and what a missing key reads as.
struct TextSetting {
    IniKey key;
    QString fallback;

    QString read(const IniFile& file) const { return file.read(key, fallback); }
    // The key and its new value, for IniFile::writeAll.
    std::pair<IniKey, QString> operator()(const QString& value) const { return {key, value}; }
};

// A whole-number setting: the leading number of the value ("3abc" is 3), and
// the fallback when the key is missing or the number lies outside [low, high].
struct IntSetting {
    IniKey key;
    int fallback;
    int low;
    int high;

    int read(const IniFile& file) const { return inRange(file).value_or(fallback); }
    // The value when it lies within the range (a missing key reads as the fallback).
    std::optional<int> inRange(const IniFile& file) const
    {
        const int value = file.readInt(key, fallback);
        return value >= low && value <= high ? std::optional<int>(value) : std::nullopt;
    }
    std::pair<IniKey, QString> operator()(int value) const { return {key, QString::number(value)}; }
};

} // namespace corv

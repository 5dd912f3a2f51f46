#pragma once

#include "defs/EcuIdentification.h"

#include <array>
#include <cstddef>
#include <string_view>

// A shared text table and the per-ECU map that gives each of an ECU's flag bit positions one of
// its texts: the common shape of the fault and the status definitions.
template <std::size_t TextCount, std::size_t PositionCount> class PositionTexts {
public:
    using Texts = std::array<std::string_view, TextCount>;
    using Map = std::array<std::array<int, PositionCount>, EcuRowCount>;
    using List = std::array<std::string_view, PositionCount>;

    // `outsideIndex` is the text index reported for positions outside the map.
    constexpr PositionTexts(const Texts& texts, const Map& map, int outsideIndex)
        : m_texts(texts)
        , m_map(map)
        , m_outsideIndex(outsideIndex)
    {
    }

    std::string_view TextByIndex(int index) const
    {
        if (index < 0 || index >= static_cast<int>(TextCount))
            return {};
        return m_texts[static_cast<std::size_t>(index)];
    }

    int IndexAt(std::string_view ecuId, int position) const
    {
        if (!IsPosition(position))
            return m_outsideIndex;
        return m_map[static_cast<std::size_t>(EcuRowOf(ecuId))][static_cast<std::size_t>(position)];
    }

    std::string_view TextAt(std::string_view ecuId, int position) const
    {
        return IsPosition(position) ? TextByIndex(IndexAt(ecuId, position)) : std::string_view {};
    }

    List ListOf(std::string_view ecuId) const
    {
        List list;
        for (std::size_t position = 0; position < PositionCount; ++position)
            list[position] = TextAt(ecuId, static_cast<int>(position));
        return list;
    }

private:
    static bool IsPosition(int position)
    {
        return position >= 0 && position < static_cast<int>(PositionCount);
    }

    const Texts& m_texts;
    const Map& m_map;
    int m_outsideIndex;
};

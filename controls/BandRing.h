#pragma once

#include "controls/ColorRef.h"

#include <array>
#include <vector>

// One column of a strip chart: up to 16 coloured points, one per series.
struct GraphBand {
    static constexpr int kCapacity = 16;

    int count = 0;
    std::array<ColorRef, kCapacity> colors {};
    std::array<int, kCapacity> values {};
};

// The chart's history: a ring of bands. CurrentBand is being filled; OldestBand is the slot
// after it. Walks run from the oldest band forward with NextY, which answers -1 when the walk
// is back at its start.
class BandRing {
public:
    explicit BandRing(int slotCount);

    int BandSlots() const { return static_cast<int>(m_bands.size()); }
    int CurrentBand() const { return m_current; }
    int OldestBand() const { return m_oldest; }
    const GraphBand& Band(int slot) const { return m_bands.at(static_cast<std::size_t>(slot)); }

    int FirstY() const { return m_oldest; }
    int NextY(int band) const;
    int LastY(int band) const;
    // Starts a new, empty current band; the oldest band moves on with it.
    void ShiftY();

    // Adds a point to the current band; false, and nothing stored, when the band already
    // holds 16 points.
    bool DataPoint(ColorRef color, int value);

    // The largest value anywhere in the ring, never below 0.
    int LargestValue() const;

    // Rebuilds the ring with a new number of slots, keeping the newest bands in order. Extra
    // slots are empty and lie between the current band and the oldest kept band, so a redraw
    // keeps the newest band at the right edge; fewer slots drop the oldest bands.
    void Resize(int slotCount);

private:
    int following(int band) const { return band + 1 < BandSlots() ? band + 1 : 0; }

    std::vector<GraphBand> m_bands;
    int m_current = 0;
    int m_oldest = 0;
};

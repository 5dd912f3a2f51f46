#include "controls/BandRing.h"

#include <algorithm>

BandRing::BandRing(int slotCount)
    : m_bands(static_cast<std::size_t>(std::max(slotCount, 1)))
{
    m_oldest = following(m_current);
}

int BandRing::NextY(int band) const
{
    const int next = following(band);
    return next == m_oldest ? -1 : next;
}

int BandRing::LastY(int band) const
{
    return band > 0 ? band - 1 : BandSlots() - 1;
}

void BandRing::ShiftY()
{
    m_current = following(m_current);
    m_bands[static_cast<std::size_t>(m_current)].count = 0;
    m_oldest = following(m_current);
}

bool BandRing::DataPoint(ColorRef color, int value)
{
    GraphBand& band = m_bands[static_cast<std::size_t>(m_current)];
    if (band.count >= GraphBand::kCapacity)
        return false;
    const auto index = static_cast<std::size_t>(band.count);
    band.colors[index] = color;
    band.values[index] = value;
    ++band.count;
    return true;
}

int BandRing::LargestValue() const
{
    int largest = 0;
    for (int b = FirstY(); b != -1; b = NextY(b)) {
        const GraphBand& band = Band(b);
        for (int i = 0; i < band.count; ++i)
            largest = std::max(largest, band.values[static_cast<std::size_t>(i)]);
    }
    return largest;
}

void BandRing::Resize(int slotCount)
{
    const int newSlots = std::max(slotCount, 1);
    std::vector<GraphBand> resized(static_cast<std::size_t>(newSlots));
    int band = FirstY();
    for (int dropped = BandSlots() - newSlots; dropped > 0; --dropped)
        band = NextY(band);
    int written = 0;
    for (; band != -1; band = NextY(band))
        resized[static_cast<std::size_t>(written++)] = Band(band);
    m_bands = std::move(resized);
    m_current = written - 1;
    m_oldest = following(m_current);
}

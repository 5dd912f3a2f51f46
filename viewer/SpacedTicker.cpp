#include "viewer/SpacedTicker.h"

#include <array>
#include <cmath>

namespace {

constexpr std::array<double, 5> kReadableSteps = { 1.0, 2.0, 2.5, 5.0, 10.0 };

} // namespace

bool SpacedTicker::SetSpace(int pixels, int spacing)
{
    if (pixels == m_pixels && spacing == m_spacing)
        return false;
    m_pixels = pixels;
    m_spacing = spacing;
    return true;
}

double SpacedTicker::getTickStep(const QCPRange& range)
{
    if (m_pixels <= 0 || range.size() <= 0)
        return QCPAxisTicker::getTickStep(range);
    const double least = range.size() * m_spacing / m_pixels;
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (const double step : kReadableSteps) {
        if (step * power >= least)
            return step * power;
    }
    return kReadableSteps.back() * power;
}

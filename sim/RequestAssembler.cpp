#include "sim/RequestAssembler.h"

#include <numeric>

std::vector<EcuFrame> RequestAssembler::Feed(std::span<const std::uint8_t> bytes)
{
    m_pending.insert(m_pending.end(), bytes.begin(), bytes.end());
    std::vector<EcuFrame> requests;
    std::size_t start = 0;
    while (start < m_pending.size()) {
        if (!IsEcuFrameType(m_pending[start])) {
            ++start;
            continue;
        }
        if (m_pending.size() - start < EcuFrame::HeaderBytes)
            break;
        const int length = m_pending[start + 1];
        if (length < EcuFrame::OverheadBytes || length > EcuFrame::MaxLength) {
            ++start;
            continue;
        }
        if (m_pending.size() - start < static_cast<std::size_t>(length))
            break;
        const auto frameBytes = std::span<const std::uint8_t>(m_pending).subspan(start, length);
        const unsigned sum = std::accumulate(frameBytes.begin(), frameBytes.end(), 0U);
        if ((sum & 0xFF) != 0) {
            ++m_rejectedFrames;
            ++start;
            continue;
        }
        const auto data = frameBytes.subspan(EcuFrame::HeaderBytes, length - EcuFrame::OverheadBytes);
        requests.push_back(MakeEcuFrame(static_cast<EcuFrameType>(frameBytes[0]), data));
        start += static_cast<std::size_t>(length);
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(start));
    return requests;
}

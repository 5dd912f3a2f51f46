#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

// Which of the priority bytes (those of what is being logged) have been read again since they
// were last all read: the logger's fastest time base takes a row each time all of them are fresh.
class PriorityRefresh {
public:
    void SetOffsets(std::vector<int> offsets)
    {
        m_offsets = std::move(offsets);
        m_read.assign(m_offsets.size(), false);
    }

    // A reply brought the byte at `offset` (from the base address); offsets not tracked are ignored.
    void Read(int offset)
    {
        const auto at = std::find(m_offsets.begin(), m_offsets.end(), offset);
        if (at != m_offsets.end())
            m_read[static_cast<std::size_t>(at - m_offsets.begin())] = true;
    }

    // True, once, when every tracked byte has been read since the last time it said so.
    bool TakeComplete()
    {
        if (m_offsets.empty() || !std::all_of(m_read.begin(), m_read.end(), [](bool read) { return read; }))
            return false;
        m_read.assign(m_offsets.size(), false);
        return true;
    }

private:
    std::vector<int> m_offsets;
    std::vector<bool> m_read;
};

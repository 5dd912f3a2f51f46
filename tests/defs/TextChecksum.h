#pragma once

#include <string_view>

// Sum over the texts of (index + 1) x the sum over their bytes of (place + 1) x byte: a changed,
// missing, extra or moved character changes it.
template <typename TextAt> long long TextChecksum(TextAt textAt, int count)
{
    long long checksum = 0;
    for (int index = 0; index < count; ++index) {
        long long textSum = 0;
        const std::string_view text = textAt(index);
        for (std::size_t place = 0; place < text.size(); ++place)
            textSum += static_cast<long long>(place + 1) * static_cast<unsigned char>(text[place]);
        checksum += (index + 1) * textSum;
    }
    return checksum;
}

#pragma once

#include <cstdint>

// How a TKodraGauge paints itself; the window layouts store the number.
enum TKodraGaugeKind : std::uint8_t {
    kgkText = 0,
    kgkHorizontalBar = 1,
    kgkVerticalBar = 2,
    kgkPie = 3,
    kgkNeedle = 4,
    kgk270 = 5,
};

// The toolkit's border style numbers; only bsSingle changes anything (a 1-pixel margin),
// every other number behaves like bsNone.
enum TBorderStyle : std::uint8_t {
    bsNone = 0,
    bsSingle = 1,
};

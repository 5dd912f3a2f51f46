#include "controls/PixelLine.h"

#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;

const QRect kEverywhere(-1000, -1000, 2000, 2000);

Pixels pixelsOf(QPoint from, QPoint to, const QRect& clip = kEverywhere,
    PixelRounding rounding = PixelRounding::TowardStart)
{
    Pixels pixels;
    for (const QRect& run : PixelLineRuns(from, to, clip, rounding)) {
        for (int y = run.top(); y <= run.bottom(); ++y) {
            for (int x = run.left(); x <= run.right(); ++x)
                EXPECT_TRUE(pixels.insert({ x, y }).second) << "pixel twice: " << x << "," << y;
        }
    }
    return pixels;
}

TEST(PixelLine, StartsAtTheStartAndLeavesOutTheEnd)
{
    constexpr auto start = PixelRounding::TowardStart;
    constexpr auto nearest = PixelRounding::Nearest;
    struct Case {
        QPoint from;
        QPoint to;
        PixelRounding rounding;
        Pixels expected;
    };
    const Case cases[] {
        { QPoint(1, 1), QPoint(4, 1), start, { { 1, 1 }, { 2, 1 }, { 3, 1 } } },
        { QPoint(4, 1), QPoint(1, 1), nearest, { { 4, 1 }, { 3, 1 }, { 2, 1 } } },
        { QPoint(2, 5), QPoint(2, 2), start, { { 2, 5 }, { 2, 4 }, { 2, 3 } } },
        { QPoint(0, 0), QPoint(3, 3), nearest, { { 0, 0 }, { 1, 1 }, { 2, 2 } } },
        { QPoint(3, 0), QPoint(0, 3), start, { { 3, 0 }, { 2, 1 }, { 1, 2 } } },
        { QPoint(0, 0), QPoint(4, 1), start, { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 } } },
        { QPoint(0, 0), QPoint(4, 1), nearest, { { 0, 0 }, { 1, 0 }, { 2, 1 }, { 3, 1 } } },
        { QPoint(4, 1), QPoint(0, 0), nearest, { { 4, 1 }, { 3, 1 }, { 2, 0 }, { 1, 0 } } },
        { QPoint(5, 5), QPoint(5, 5), nearest, {} },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pixelsOf(c.from, c.to, kEverywhere, c.rounding), c.expected)
            << c.from.x() << "," << c.from.y() << " to " << c.to.x() << "," << c.to.y();
    }
}

TEST(PixelLine, SteepSegmentStaysInItsColumnsAndOnePixelPerRow)
{
    // A chart segment rising 30 rows across a 3-pixel column, in both directions.
    for (const auto& [from, to] :
        { std::pair { QPoint(97, 50), QPoint(100, 20) }, std::pair { QPoint(97, 20), QPoint(100, 50) } }) {
        const Pixels pixels = pixelsOf(from, to);
        EXPECT_EQ(pixels.size(), 30u);
        std::set<int> rows;
        for (const auto& [x, y] : pixels) {
            EXPECT_GE(x, 97);
            EXPECT_LE(x, 99);
            rows.insert(y);
        }
        EXPECT_EQ(rows.size(), 30u);
        EXPECT_TRUE(pixels.count({ from.x(), from.y() }));
        EXPECT_FALSE(pixels.count({ to.x(), to.y() }));
        EXPECT_EQ(PixelLineRuns(from, to, kEverywhere, PixelRounding::TowardStart).size(),
            3u); // one vertical run per column
    }
}

TEST(PixelLine, ClipKeepsOnlyTheStepsInside)
{
    // A line running a million rows below a 100-row chart yields just its visible rows.
    const QRect chart(0, 0, 100, 100);
    const QPoint from(97, 60);
    const QPoint to(100, 1000000);
    const Pixels clipped = pixelsOf(from, to, chart);
    EXPECT_EQ(clipped.size(), 40u);
    Pixels expected;
    for (const auto& pixel : pixelsOf(from, to, QRect(0, 0, 100, 1000001))) {
        if (pixel.second < 100)
            expected.insert(pixel);
    }
    EXPECT_EQ(clipped, expected);
    EXPECT_TRUE(pixelsOf(QPoint(5, 200), QPoint(6, 150), chart).empty());
    EXPECT_EQ(pixelsOf(QPoint(120, 50), QPoint(-20, 50), chart).size(), 100u);
}

} // namespace

#include "controls/ColorRef.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

TEST(ColorRef, PlainColoursAreBlueGreenRed)
{
    struct Case {
        ColorRef ref;
        QColor expected;
    };
    for (const Case c : { Case { kColorRed, QColor(255, 0, 0) }, Case { kColorYellow, QColor(255, 255, 0) },
             Case { kColorBlue, QColor(0, 0, 255) }, Case { kColorPurple, QColor(128, 0, 128) },
             Case { kColorGreen, QColor(0, 128, 0) }, Case { 0x123456, QColor(0x56, 0x34, 0x12) } }) {
        EXPECT_EQ(ColorFromRef(c.ref), c.expected) << std::hex << c.ref;
    }
}

TEST(ColorRef, SystemColoursComeFromThePalette)
{
    const QPalette palette = QGuiApplication::palette();
    EXPECT_EQ(ColorFromRef(kColorSystemWindow), palette.color(QPalette::Base));
    EXPECT_EQ(ColorFromRef(kColorSystemWindowFrame), palette.color(QPalette::WindowText));
    EXPECT_EQ(ColorFromRef(0x8000007F), palette.color(QPalette::Window));
}

} // namespace

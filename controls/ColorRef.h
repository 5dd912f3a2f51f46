#pragma once

#include <QColor>
#include <cstdint>

class QWidget;

// A colour as the window layouts store it: 0x00BBGGRR for plain colours (0x0000FF is red),
// or 0x800000nn for the platform's system colour number nn.
using ColorRef = std::uint32_t;

// Well-known colour values in that format.
constexpr ColorRef kColorBlack = 0x000000;
constexpr ColorRef kColorWhite = 0xFFFFFF;
constexpr ColorRef kColorRed = 0x0000FF;
constexpr ColorRef kColorYellow = 0x00FFFF;
constexpr ColorRef kColorAmber = 0x00BFFF;
constexpr ColorRef kColorGreen = 0x008000;
constexpr ColorRef kColorBlue = 0xFF0000;
constexpr ColorRef kColorPurple = 0x800080;
constexpr ColorRef kColorGrey = 0x808080;
constexpr ColorRef kColorSilver = 0xC0C0C0;
constexpr ColorRef kColorSystemWindow = 0x80000005;
constexpr ColorRef kColorSystemWindowFrame = 0x80000006;

// The one conversion from a stored colour value to a QColor. System colours come from the
// application palette, so they follow the desktop's theme.
QColor ColorFromRef(ColorRef ref);

// Paints the widget's own background and sets its text colour.
void SetColours(QWidget* widget, ColorRef background, ColorRef text);

// Sets only the text colour; the background stays as it is.
void SetTextColour(QWidget* widget, ColorRef text);
// Sets only the background; the text colour stays as it is.
void SetBackgroundColour(QWidget* widget, ColorRef background);

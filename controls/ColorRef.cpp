#include "controls/ColorRef.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>
#include <array>

namespace {

constexpr ColorRef kSystemColorFlag = 0x80000000;
constexpr ColorRef kSystemColorFlagMask = 0xFF000000;
constexpr ColorRef kSystemColorIndexMask = 0xFF;
constexpr ColorRef kChannelMask = 0xFF;
constexpr int kGreenShift = 8;
constexpr int kBlueShift = 16;

struct SystemColorRole {
    ColorRef index;
    QPalette::ColorRole role;
};

// The system colour numbers of the window layouts and the palette role closest to each.
constexpr std::array kSystemColorRoles {
    // index  role
    SystemColorRole { 4, QPalette::Window }, // menu
    SystemColorRole { 5, QPalette::Base }, // window background
    SystemColorRole { 6, QPalette::WindowText }, // window frame
    SystemColorRole { 7, QPalette::WindowText }, // menu text
    SystemColorRole { 8, QPalette::Text }, // window text
    SystemColorRole { 13, QPalette::Highlight }, // highlight
    SystemColorRole { 14, QPalette::HighlightedText }, // highlighted text
    SystemColorRole { 15, QPalette::Button }, // button face
    SystemColorRole { 16, QPalette::Dark }, // button shadow
    SystemColorRole { 17, QPalette::PlaceholderText }, // grey text
    SystemColorRole { 18, QPalette::ButtonText }, // button text
    SystemColorRole { 20, QPalette::Light }, // button highlight
    SystemColorRole { 21, QPalette::Shadow }, // 3-D dark shadow
    SystemColorRole { 22, QPalette::Midlight }, // 3-D light
    SystemColorRole { 23, QPalette::ToolTipText }, // tooltip text
    SystemColorRole { 24, QPalette::ToolTipBase }, // tooltip background
};

QPalette::ColorRole roleOfSystemColor(ColorRef index)
{
    for (const SystemColorRole& entry : kSystemColorRoles) {
        if (entry.index == index)
            return entry.role;
    }
    return QPalette::Window;
}

} // namespace

QColor ColorFromRef(ColorRef ref)
{
    if ((ref & kSystemColorFlagMask) == kSystemColorFlag)
        return QGuiApplication::palette().color(roleOfSystemColor(ref & kSystemColorIndexMask));
    const int red = static_cast<int>(ref & kChannelMask);
    const int green = static_cast<int>((ref >> kGreenShift) & kChannelMask);
    const int blue = static_cast<int>((ref >> kBlueShift) & kChannelMask);
    return QColor(red, green, blue);
}

void SetColours(QWidget* widget, ColorRef background, ColorRef text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ColorFromRef(background));
    palette.setColor(QPalette::WindowText, ColorFromRef(text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetTextColour(QWidget* widget, ColorRef text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, ColorFromRef(text));
    widget->setPalette(palette);
}

void SetBackgroundColour(QWidget* widget, ColorRef background)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ColorFromRef(background));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

#pragma once

namespace ui {

// The basic 16-colour palette, as 0xRRGGBB. 12 light red marks a hit cell, 13 light
// magenta the what-if button whose result is shown, 15 white.
constexpr unsigned kPalette[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                   0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                   0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

constexpr int kHitColour = 12;
constexpr int kShownWhatIfColour = 13;
constexpr int kWhite = 15;

} // namespace ui

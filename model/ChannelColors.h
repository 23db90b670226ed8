#pragma once
// The colours each channel is created with: its plain colour (0xRRGGBB) and
// the colour of its response curve (0xAARRGGBB, alpha in the top byte). The
// model keeps them as numbers; the window layer turns them into its own
// colour objects.

struct ChannelColour {
    unsigned rgb;
    unsigned curveArgb;
};

constexpr ChannelColour kEffectColour = {0xFF0000, 0xDCFF0000};

constexpr ChannelColour kMicColour = {0xFF8033, 0xFFFF8033};

constexpr ChannelColour kMusicColours[4] = {
    {0x00FFFF, 0xFF00FFFF},
    {0xDF127B, 0xFFDF127B},
    {0x027BC0, 0xFF027BC0},
    {0xFFFF00, 0xFFFFFF00},
};

// Outputs 11 and 12 draw their curves translucent.
constexpr ChannelColour kOutputColours[12] = {
    {0xFF0000, 0xFFFF0000},
    {0x00C000, 0xFF00C000},
    {0x8080C0, 0xFF8080C0},
    {0xFF40FF, 0xFFFF40FF},
    {0x00C0C0, 0xFF00C0C0},
    {0xC0A800, 0xFFC0A800},
    {0x7D8000, 0xFF7D8000},
    {0x0000FF, 0xFF0000FF},
    {0x7D8000, 0xFF7D8000},
    {0x0000FF, 0xFF0000FF},
    {0x0028C8, 0x963200FF},
    {0x280096, 0x640032FF},
};

#include "objects/effect/effect_palettes.h"

#include <cmath>

namespace velk {
namespace {

double HueChannel(double m1, double m2, double hue) {
    if (hue < 0.0) hue += 1.0;
    if (hue > 1.0) hue -= 1.0;
    if (hue < 1.0 / 6.0) return m1 + (m2 - m1) * hue * 6.0;
    if (hue < 0.5) return m2;
    if (hue < 2.0 / 3.0) return m1 + (m2 - m1) * (2.0 / 3.0 - hue) * 6.0;
    return m1;
}

std::uint8_t Byte(double unit) {
    return static_cast<std::uint8_t>(static_cast<std::int32_t>(unit * 255.0));
}

std::int32_t Channel(std::uint32_t colorref, int shift) {
    return static_cast<std::int32_t>((colorref >> shift) & 0xFF);
}

template <typename ChannelOf>
EffectPalette ByChannel(ChannelOf channel_of) {
    EffectPalette palette;
    for (int i = 0; i < 256; ++i) {
        palette.colours[i] = MakeBgrx(static_cast<std::uint8_t>(channel_of(i, 0)),
                                      static_cast<std::uint8_t>(channel_of(i, 8)),
                                      static_cast<std::uint8_t>(channel_of(i, 16)));
    }
    return palette;
}

double Bump(double u) {
    return std::exp(-std::pow(u * 3.3333, 4));
}

}  // namespace

Bgrx HlsColour(double hue, double lightness, double saturation) {
    if (saturation == 0.0) return MakeBgrx(Byte(lightness), Byte(lightness), Byte(lightness));
    const double m2 = lightness <= 0.5 ? lightness * (1.0 + saturation)
                                       : lightness + saturation - lightness * saturation;
    const double m1 = 2.0 * lightness - m2;
    return MakeBgrx(Byte(HueChannel(m1, m2, hue + 1.0 / 3.0)), Byte(HueChannel(m1, m2, hue)),
                    Byte(HueChannel(m1, m2, hue - 1.0 / 3.0)));
}

EffectPalette RainbowPalette() {
    EffectPalette palette;
    for (int i = 0; i < 256; ++i) {
        const Bgrx c = HlsColour((1.0 - i / 255.0) * 0.8333, 0.5, 1.0);
        palette.colours[i] = MakeBgrx(BlueOf(c), GreenOf(c), RedOf(c));
    }
    return palette;
}

EffectPalette BluePalette() {
    EffectPalette palette;
    for (int i = 0; i < 256; ++i) palette.colours[i] = HlsColour(0.6667, i / 255.0, 0.6667);
    return palette;
}

EffectPalette GreenPalette() {
    EffectPalette palette;
    for (int i = 0; i < 256; ++i) palette.colours[i] = HlsColour(0.3333, i / 255.0, 0.6667);
    return palette;
}

EffectPalette HeatPalette() {
    EffectPalette palette;
    for (int i = 0; i < 256; ++i) {
        const double x = i / 255.0;
        double first = x > 0.9 ? 1.0 : Bump(x - 0.8);
        double second = Bump(x - 0.5);
        double third = x >= 0.2 ? Bump(x - 0.2) : std::exp(-std::pow((0.2 - x) * 6.6667, 4));
        if (x > 0.8) {
            const double glow = std::exp(-std::pow((1.0 - x) * 9.5238, 3));
            second += glow;
            third += glow;
        }
        palette.colours[i] = MakeBgrx(Byte(second), Byte(first), Byte(third));
    }
    return palette;
}

EffectPalette GradientPalette(std::uint32_t c1, std::uint32_t c2) {
    return ByChannel([&](int i, int shift) {
        const double step = (Channel(c2, shift) - Channel(c1, shift)) / 255.0;
        return static_cast<std::int32_t>(Channel(c1, shift) + step * i);
    });
}

EffectPalette FadeThroughBlackPalette(std::uint32_t c1, std::uint32_t c2) {
    return ByChannel([&](int i, int shift) {
        return i < 128 ? Channel(c1, shift) * (128 - i) / 128
                       : Channel(c2, shift) * (i - 128) / 128;
    });
}

EffectPalette RiseAndFallPalette(std::uint32_t c1, std::uint32_t c2) {
    return ByChannel([&](int i, int shift) {
        return i < 128 ? Channel(c1, shift) * i / 128 : Channel(c2, shift) * (256 - i) / 128;
    });
}

EffectPalette FirePalette() {
    EffectPalette palette;
    for (int k = 0; k < 256; ++k) {
        const int red = k <= 84 ? 3 * k : 255;
        const int green = k < 85 ? 0 : (k < 170 ? 3 * k - 255 : 255);
        const int blue = k < 170 ? 0 : 3 * k - 510;
        palette.colours[k] =
            MakeBgrx(static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                     static_cast<std::uint8_t>(blue));
    }
    return palette;
}

EffectPalette ColdFirePalette() {
    EffectPalette palette;
    palette.colours.fill(MakeBgrx(255, 255, 255));
    auto set = [&](int index, int r, int g, int b) {
        // Only the low eight bits of each value are kept, as bytes.
        palette.colours[index] =
            MakeBgrx(static_cast<std::uint8_t>(r & 0xFF), static_cast<std::uint8_t>(g & 0xFF),
                     static_cast<std::uint8_t>(b & 0xFF));
    };
    for (int i = 0; i <= 32; ++i) set(i, 0, 0, 0);
    for (int i = 0; i < 16; ++i) set(32 + i, 2 * i, 2 * i, 4 * i);
    for (int i = 0; i < 16; ++i) set(48 + i, 6 * i + 32, 3 * i + 32, i + 64);
    for (int i = 0; i < 32; ++i) set(64 + i, 127 * i / 32 - 128, 4 * (i + 20), 3 * i + 80);
    for (int j = 0; j < 32; ++j) set(96 + j, 255, 47 * j / 32 - 48, 79 * j / 32 - 80);
    return palette;
}

}  // namespace velk

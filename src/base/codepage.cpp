#include "base/codepage.h"

#include <array>
#include <cstdint>

namespace velk {
namespace {

// Unicode code points of bytes 0x80..0x9F; 0 marks the five unused positions, which map to
// the C1 control with the same number as the byte (as the system's table does).
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t ByteToCodePoint(unsigned char b) {
    if (b >= 0x80 && b < 0xA0 && kHighControls[b - 0x80] != 0) return kHighControls[b - 0x80];
    return b;
}

// Returns -1 for a code point the code page cannot hold.
int CodePointToByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        char16_t mapped = kHighControls[i];
        if (mapped == 0 ? cp == 0x80 + i : cp == mapped) return static_cast<int>(0x80 + i);
    }
    return -1;
}

char ByteOf(char32_t cp) {
    int b = CodePointToByte(cp);
    return b < 0 ? '?' : static_cast<char>(b);
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string Utf16ToCp1252(std::u16string_view units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        char16_t u = units[i];
        bool high = u >= 0xD800 && u < 0xDC00;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            ++i;  // a surrogate pair is one character, never in the code page
            out += '?';
            continue;
        }
        out += ByteOf(u);
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto b = static_cast<unsigned char>(utf8[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= utf8.size()) {
            out += '?';
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? b : (b & (0x3F >> extra));
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            auto c = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (c & 0x3F);
        }
        out += valid ? ByteOf(cp) : '?';
        i += valid ? static_cast<std::size_t>(extra) + 1 : 1;
    }
    return out;
}

char Cp1252Upper(char c) {
    auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 32);
    switch (b) {
        case 0x9A:
            return static_cast<char>(0x8A);  // š
        case 0x9C:
            return static_cast<char>(0x8C);  // œ
        case 0x9E:
            return static_cast<char>(0x8E);  // ž
        case 0xFF:
            return static_cast<char>(0x9F);  // ÿ
        default:
            return c;
    }
}

// The inverse of the upper case: the lower-case letters' capitals go back.
char Cp1252Lower(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 32);
    switch (b) {
        case 0x8A:
            return static_cast<char>(0x9A);  // Š
        case 0x8C:
            return static_cast<char>(0x9C);  // Œ
        case 0x8E:
            return static_cast<char>(0x9E);  // Ž
        case 0x9F:
            return static_cast<char>(0xFF);  // Ÿ
        default:
            return c;
    }
}

std::string Cp1252LowerString(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = Cp1252Lower(c);
    return out;
}

std::string Cp1252UpperString(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = Cp1252Upper(c);
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Cp1252Upper(a[i]) != Cp1252Upper(b[i])) return false;
    }
    return true;
}

char32_t Cp1252ToCodePoint(char byte) {
    return ByteToCodePoint(static_cast<unsigned char>(byte));
}

}  // namespace velk

#include "base/codepage.h"

#include <array>
#include <cstdint>
#include <string_view>

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

// Latin Extended-A (U+0100 ... U+017F), one byte per character: the letter without its mark,
// as the system's best-fit table gives it; '?' where the table has nothing (and for the few
// letters the code page holds itself, which never get here).
constexpr std::string_view kLatinExtendedA =
    "AaAaAaCcCcCcCcDd"
    "\xD0"
    "dEeEeEeEeEeGgGg"  // D with stroke: the code page's Eth
    "GgGgHhHhIiIiIiIi"
    "Ii??JjKk?LlLlLl?"
    "?LlNnNnNn???OoOo"
    "Oo??RrRrRrSsSsSs"
    "??TtTtTtUuUuUuUu"
    "UuUuWwYy?ZzZz???";

struct BestFit {
    char32_t from;
    unsigned char to;
};
// Further best fits of the system's table, sorted by code point.
constexpr BestFit kBestFits[] = {
    {0x0180, 'b'},  {0x0191, 0x83}, {0x0197, 'I'}, {0x019A, 'l'}, {0x019F, 'O'}, {0x01A0, 'O'},
    {0x01A1, 'o'},  {0x01AF, 'U'},  {0x01B0, 'u'}, {0x01B6, 'z'}, {0x01CD, 'A'}, {0x01CE, 'a'},
    {0x01CF, 'I'},  {0x01D0, 'i'},  {0x01D1, 'O'}, {0x01D2, 'o'}, {0x01D3, 'U'}, {0x01D4, 'u'},
    {0x01D5, 'U'},  {0x01D6, 'u'},  {0x01D7, 'U'}, {0x01D8, 'u'}, {0x01D9, 'U'}, {0x01DA, 'u'},
    {0x01DB, 'U'},  {0x01DC, 'u'},  {0x01DE, 'A'}, {0x01DF, 'a'}, {0x01E4, 'G'}, {0x01E5, 'g'},
    {0x01E6, 'G'},  {0x01E7, 'g'},  {0x01E8, 'K'}, {0x01E9, 'k'}, {0x01EA, 'O'}, {0x01EB, 'o'},
    {0x01EC, 'O'},  {0x01ED, 'o'},  {0x01F0, 'j'}, {0x2000, ' '}, {0x2001, ' '}, {0x2002, ' '},
    {0x2003, ' '},  {0x2004, ' '},  {0x2005, ' '}, {0x2006, ' '}, {0x2010, '-'}, {0x2011, '-'},
    {0x2032, '\''}, {0x2035, '`'},  {0x2212, '-'}, {0x3000, ' '},
};

char BestFitByteOf(char32_t cp) {
    if (const int b = CodePointToByte(cp); b >= 0) return static_cast<char>(b);
    if (cp >= 0x100 && cp < 0x180) return kLatinExtendedA[cp - 0x100];
    if (cp >= 0xFF01 && cp <= 0xFF5E) return static_cast<char>(cp - 0xFF01 + 0x21);  // full width
    for (const BestFit& fit : kBestFits) {
        if (fit.from == cp) return static_cast<char>(fit.to);
    }
    return '?';
}

// Decodes UTF-8 and turns each character into one byte with `to_byte`; a character of four
// UTF-8 bytes (an emoji) is still one '?', and every byte of invalid UTF-8 is one '?'.
template <typename ToByte>
std::string DecodeUtf8(std::string_view utf8, ToByte to_byte) {
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
        out += valid ? to_byte(cp) : '?';
        i += valid ? static_cast<std::size_t>(extra) + 1 : 1;
    }
    return out;
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
    return DecodeUtf8(utf8, ByteOf);
}

std::string Utf8ToCp1252BestFit(std::string_view utf8) {
    return DecodeUtf8(utf8, BestFitByteOf);
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

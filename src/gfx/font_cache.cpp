#include "gfx/font_cache.h"

#include <fontconfig/fontconfig.h>

#include <array>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "base/codepage.h"

namespace velk {
namespace {

constexpr std::uint8_t kPitchMask = 0x03;
constexpr std::uint8_t kFixedPitch = 0x01;
constexpr std::uint8_t kFamilyMask = 0xF0;
constexpr std::uint8_t kFamilyRoman = 0x10;
constexpr std::uint8_t kFamilyModern = 0x30;

constexpr std::string_view kBitmapSansFace = "MS Sans Serif";

struct Substitution {
    std::string_view face;
    std::string_view family;
};
constexpr std::array<Substitution, 4> kSubstitutions = {{
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {kBitmapSansFace, "Liberation Sans"},
}};

// Where the font mapper went for a face it did not have: the family class of the LOGFONT
// (fixed pitch and FF_MODERN to the typewriter face, FF_ROMAN to the serif face, everything else
// to the sans face), then fontconfig's generic family of the same class.
std::pair<const char*, const char*> FallbackFamilies(std::uint8_t pitch_and_family) {
    std::uint8_t family = pitch_and_family & kFamilyMask;
    if ((pitch_and_family & kPitchMask) == kFixedPitch || family == kFamilyModern) {
        return {"Liberation Mono", "monospace"};
    }
    if (family == kFamilyRoman) return {"Liberation Serif", "serif"};
    return {"Liberation Sans", "sans-serif"};
}

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

const FcChar8* Chars(const char* s) {
    return reinterpret_cast<const FcChar8*>(s);
}

}  // namespace

std::string SubstituteFaceName(const std::string& face_name) {
    for (const Substitution& s : kSubstitutions) {
        if (EqualsIgnoreCase(face_name, s.face)) return std::string(s.family);
    }
    return face_name;
}

void FontCache::ConfigDeleter::operator()(_FcConfig* config) const {
    FcConfigDestroy(config);
}

FontCache::FontCache()
    : config_(FcInitLoadConfigAndFonts()), library_(std::make_shared<FreeTypeLibrary>()) {
    if (!config_) throw std::runtime_error("fontconfig did not start");
}

FontCache::~FontCache() = default;

FontCache::Key FontCache::KeyOf(const LogFont& r) {
    return {Cp1252UpperString(r.face_name),
            r.height,
            r.width,
            r.weight > kFwMedium,
            r.italic != 0,
            r.underline != 0,
            r.strike_out != 0,
            r.pitch_and_family};
}

ResolvedFace FontCache::Resolve(const LogFont& request) const {
    ResolvedFace resolved;
    const bool bold = request.weight > kFwMedium;
    const bool italic = request.italic != 0;

    PatternPtr pattern(FcPatternCreate());
    if (!pattern) return resolved;
    std::string family = Cp1252ToUtf8(SubstituteFaceName(request.face_name));
    if (!family.empty()) FcPatternAddString(pattern.get(), FC_FAMILY, Chars(family.c_str()));
    auto [fallback, generic] = FallbackFamilies(request.pitch_and_family);
    FcPatternAddString(pattern.get(), FC_FAMILY, Chars(fallback));
    FcPatternAddString(pattern.get(), FC_FAMILY, Chars(generic));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    if (!FcConfigSubstitute(config_.get(), pattern.get(), FcMatchPattern)) return resolved;
    FcDefaultSubstitute(pattern.get());

    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(config_.get(), pattern.get(), &result));
    if (!match) return resolved;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file) {
        return resolved;
    }
    resolved.path = reinterpret_cast<const char*>(file);
    int index = 0;
    if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) == FcResultMatch) {
        resolved.index = index;
    }
    FcChar8* matched_family = nullptr;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &matched_family) == FcResultMatch &&
        matched_family) {
        resolved.family = reinterpret_cast<const char*>(matched_family);
    }
    resolved.bitmap_sans_sizes = EqualsIgnoreCase(request.face_name, kBitmapSansFace);
    return resolved;
}

std::shared_ptr<const Font> FontCache::Get(const LogFont& request) {
    Key key = KeyOf(request);
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;
    // A face that cannot be opened is remembered too, so that it is not looked up again.
    std::shared_ptr<const Font> font = Font::Create(library_, Resolve(request), request);
    fonts_.emplace(std::move(key), font);
    return font;
}

}  // namespace velk

// The fonts of one player: face names resolved through fontconfig to installed files, and each
// (face, size, style) loaded once and shared by everything that draws with it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "document/object.h"
#include "gfx/font.h"

struct _FcConfig;

namespace velk {

// The installed family that stands for a face name of the old desktop, or the name itself.
// Arial, Times New Roman and Courier New have metric-compatible stand-ins.
std::string SubstituteFaceName(const std::string& face_name);

class FontCache {
  public:
    // Reads the fontconfig configuration and starts FreeType; throws std::runtime_error when
    // either cannot start.
    FontCache();
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The font for a LOGFONT, loaded on first use. nullptr when no installed face can be used.
    std::shared_ptr<const Font> Get(const LogFont& request);
    // The file a LOGFONT resolves to (empty path when none).
    ResolvedFace Resolve(const LogFont& request) const;

    std::size_t LoadedCount() const { return fonts_.size(); }

  private:
    // What makes two LOGFONTs the same font: the face compared without regard to case, the
    // size, and the style as the font mapper sees it (bold is weight > FW_MEDIUM).
    using Key =
        std::tuple<std::string, std::int32_t, std::int32_t, bool, bool, bool, bool, std::uint8_t>;
    static Key KeyOf(const LogFont& request);

    struct ConfigDeleter {
        void operator()(_FcConfig* config) const;
    };

    std::unique_ptr<_FcConfig, ConfigDeleter> config_;
    std::shared_ptr<FreeTypeLibrary> library_;
    std::map<Key, std::shared_ptr<const Font>> fonts_;
};

}  // namespace velk

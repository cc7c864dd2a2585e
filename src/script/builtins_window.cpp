// Built-ins that read the main window, the pointer, the screen and the system.
#include <cstdio>

#include "script/builtin_support.h"

namespace velk {
namespace {

// A built-in without arguments that reads the window: whatever stands between its brackets is
// ignored, and without a window it gives 0.
template <double (*Read)(ScriptOwner&)>
double FromWindow(ExpressionParser& parser) {
    std::array<std::string_view, 0> none;
    if (!WindowCall(parser, none)) return 0.0;
    return Read(*parser.Owner());
}

template <MouseButton button>
double ButtonDown(ScriptOwner& owner) {
    return owner.MouseButtonDown(button) ? 1.0 : 0.0;
}

constexpr NumericEntry kWindow[] = {
    {"mousex", FromWindow<[](ScriptOwner& o) -> double { return o.PointerPosition().x; }>},
    {"mousey", FromWindow<[](ScriptOwner& o) -> double { return o.PointerPosition().y; }>},
    {"mouselbutton", FromWindow<ButtonDown<MouseButton::kLeft>>},
    {"mouserbutton", FromWindow<ButtonDown<MouseButton::kRight>>},
    {"mousembutton", FromWindow<ButtonDown<MouseButton::kMiddle>>},
    {"pubwidth", FromWindow<[](ScriptOwner& o) -> double { return o.WindowRect().Width(); }>},
    {"pubheight", FromWindow<[](ScriptOwner& o) -> double { return o.WindowRect().Height(); }>},
    {"pubx", FromWindow<[](ScriptOwner& o) -> double { return o.WindowRect().left; }>},
    {"puby", FromWindow<[](ScriptOwner& o) -> double { return o.WindowRect().top; }>},
    {"clientwidth", FromWindow<[](ScriptOwner& o) -> double { return o.ClientAreaSize().width; }>},
    {"clientheight",
     FromWindow<[](ScriptOwner& o) -> double { return o.ClientAreaSize().height; }>},
    {"screenwidth", FromWindow<[](ScriptOwner& o) -> double { return o.ScreenSize().width; }>},
    {"screenheight", FromWindow<[](ScriptOwner& o) -> double { return o.ScreenSize().height; }>},
    {"workareawidth", FromWindow<[](ScriptOwner& o) -> double { return o.WorkAreaSize().width; }>},
    {"workareaheight",
     FromWindow<[](ScriptOwner& o) -> double { return o.WorkAreaSize().height; }>},
    {"isminimized", FromWindow<[](ScriptOwner& o) -> double { return o.IsMinimized(); }>},
    // The system this player presents itself as belongs to the NT family.
    {"usingwinnt", FromWindow<[](ScriptOwner&) -> double { return 1.0; }>},
    {"procfreq", FromWindow<[](ScriptOwner& o) -> double { return o.ProcessorFrequency(); }>},
    // The screen's colour depth needs no window: trial evaluators see the usual depth.
    {"screencolors",
     [](ExpressionParser& parser) -> double {
         std::array<std::string_view, 0> none;
         if (!parser.RawArguments(none)) return 0.0;
         ScriptOwner* owner = parser.Owner();
         return owner != nullptr ? owner->ScreenBitsPerPixel() : kUsualScreenBitsPerPixel;
     }},
};

std::string WinVer(ExpressionParser& parser) {
    std::array<std::string_view, 0> none;
    if (!WindowCall(parser, none)) return {};
    const SystemVersion version = parser.Owner()->Version();
    const std::int32_t build = version.major == 4 ? (version.build & 0xFFFF) : version.build;
    char text[48];
    std::snprintf(text, sizeof text, "%1d.%02d.%04d", version.major, version.minor, build);
    return text;
}

std::string GetMemory(ExpressionParser& parser) {
    std::array<std::string_view, 0> none;
    if (!WindowCall(parser, none)) return {};
    const MemoryStatus memory = parser.Owner()->PhysicalMemory();
    char text[48];
    std::snprintf(text, sizeof text, "%lld/%lld", static_cast<long long>(memory.total_mb),
                  static_cast<long long>(memory.available_mb));
    return text;
}

std::string ProcType(ExpressionParser& parser) {
    std::array<std::string_view, 0> none;
    if (!WindowCall(parser, none)) return {};
    return parser.Owner()->ProcessorTypeName();
}

constexpr StringEntry kSystemStrings[] = {
    {"winver", WinVer},
    {"getmemory", GetMemory},
    {"proctype", ProcType},
};

}  // namespace

std::span<const NumericEntry> WindowBuiltins() {
    return kWindow;
}

std::span<const StringEntry> SystemStringBuiltins() {
    return kSystemStrings;
}

}  // namespace velk

#include "controls/speech_wait_window.h"

#include "gfx/canvas.h"
#include "gfx/canvas_constants.h"
#include "gfx/font.h"
#include "gfx/font_cache.h"
#include "gfx/text_draw.h"

namespace velk {
namespace {

// 152 x 26 dialog units of "MS Sans Serif" 8, whose base units are 6 x 13 pixels at 96 DPI:
// a horizontal unit is a quarter of the base width, a vertical one an eighth of its height.
constexpr std::int32_t kClientWidth = 152 * 6 / 4;
constexpr std::int32_t kClientHeight = 26 * 13 / 8;
// The modal dialog frame: a raised edge and a line of the face colour.
constexpr std::int32_t kFrame = 3;

LogFont DialogFont() {
    LogFont font;
    font.height = -11;  // 8 points at 96 DPI
    font.face_name = "MS Sans Serif";
    return font;
}

}  // namespace

Rect SpeechWaitWindowRect(Size client) {
    const std::int32_t width = kClientWidth + 2 * kFrame;
    const std::int32_t height = kClientHeight + 2 * kFrame;
    const std::int32_t left = (client.width - width) / 2;
    const std::int32_t top = (client.height - height) / 2;
    return {left, top, left + width, top + height};
}

void DrawSpeechWaitWindow(Canvas& canvas, FontCache* fonts, const Rect& frame) {
    Rect inside = frame;
    canvas.DrawEdge(inside, kEdgeRaised, kBfRect | kBfAdjust);
    canvas.FrameRect(inside, canvas.SysColour(kColorBtnFace));
    const Rect client{frame.left + kFrame, frame.top + kFrame, frame.right - kFrame,
                      frame.bottom - kFrame};
    canvas.FillSolidRect(client, MakeBgrx(0, 0, 0));
    if (fonts == nullptr) return;
    auto font = fonts->Get(DialogFont());
    if (font == nullptr) return;
    canvas.SelectFont(font);
    canvas.SetBkMode(BkMode::kTransparent);
    canvas.SetTextAlign(kTaLeft | kTaTop);
    canvas.SetTextColour(MakeBgrx(255, 255, 255));
    TextOut(canvas, client.left + 10, client.top + 5, "Starting Text-To-Speech Engine.");
    TextOut(canvas, client.left + 10, client.top + 22, "Please Wait...");
}

}  // namespace velk

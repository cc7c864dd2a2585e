// Buttons: the text button's flat and push looks per pointer state, and the bitmap button's
// alpha picture, push frame and plain pictures with their key colours and offsets. Frames are
// checked against the classic colours; captions against the font's own placement rules.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "gfx/text_draw.h"
#include "hosts/headless/recording_ui.h"
#include "objects/buttons/button_kind.h"
#include "objects/draw_object.h"
#include "objects/picture_cache.h"

namespace velk {
namespace {

constexpr Bgrx kPage = MakeBgrx(10, 100, 200);
constexpr Bgrx kBlack = MakeBgrx(0, 0, 0);
constexpr Bgrx kWhite = MakeBgrx(255, 255, 255);
constexpr Bgrx kShadow = MakeBgrx(128, 128, 128);
const Bgrx kLight = SystemColours().light_3d;

// A picture of w x h whose pixels all come from `colour_at`.
template <typename F>
Picture MakePicture(std::int32_t w, std::int32_t h, F colour_at) {
    Picture picture;
    picture.width = w;
    picture.height = h;
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            const std::uint32_t rgb = colour_at(x, y);  // 0xRRGGBB
            picture.bytes.push_back(std::uint8_t(rgb >> 16));
            picture.bytes.push_back(std::uint8_t(rgb >> 8));
            picture.bytes.push_back(std::uint8_t(rgb));
        }
    }
    return picture;
}

Picture SolidPicture(std::int32_t w, std::int32_t h, std::uint32_t rgb) {
    return MakePicture(w, h, [rgb](std::int32_t, std::int32_t) { return rgb; });
}

class DrawButtonsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { fonts_ = std::make_unique<FontCache>(); }
    static void TearDownTestSuite() { fonts_.reset(); }

    DrawButtonsTest()
        : pictures_(ui_),
          surface_(200, 120, kPage),
          canvas_(surface_),
          ctx_{canvas_, *fonts_, pictures_, {}} {}

    Bgrx At(std::int32_t x, std::int32_t y) const { return surface_.At(x, y); }

    // The bounding box of the pixels of one colour; empty when there are none.
    Rect BoxOf(Bgrx colour) const {
        std::optional<Rect> box;
        for (std::int32_t y = 0; y < surface_.Height(); ++y) {
            for (std::int32_t x = 0; x < surface_.Width(); ++x) {
                if (surface_.At(x, y) != colour) continue;
                if (!box) box = Rect{x, y, x + 1, y + 1};
                box->left = std::min(box->left, x);
                box->top = std::min(box->top, y);
                box->right = std::max(box->right, x + 1);
                box->bottom = std::max(box->bottom, y + 1);
            }
        }
        return box.value_or(Rect{});
    }

    // The pixels of `colour` when `text` is DrawText'n into `rect` with `format` and `font`.
    std::vector<Point> CaptionPixels(const LogFont& font, const std::string& text, const Rect& rect,
                                     std::uint32_t format, Bgrx colour) {
        Surface surface(200, 120, kPage);
        Canvas canvas(surface);
        canvas.SetBkMode(BkMode::kTransparent);
        canvas.SelectFont(fonts_->Get(font));
        canvas.SetTextColour(colour);
        DrawText(canvas, text, rect, format);
        return PixelsOf(surface, colour);
    }

    static std::vector<Point> PixelsOf(const Surface& surface, Bgrx colour) {
        std::vector<Point> points;
        for (std::int32_t y = 0; y < surface.Height(); ++y) {
            for (std::int32_t x = 0; x < surface.Width(); ++x) {
                if (surface.At(x, y) == colour) points.push_back({x, y});
            }
        }
        return points;
    }

    static std::unique_ptr<FontCache> fonts_;
    headless::RecordingUi ui_;
    PictureCache pictures_;
    Surface surface_;
    Canvas canvas_;
    DrawContext ctx_;
};

std::unique_ptr<FontCache> DrawButtonsTest::fonts_;

LogFont DefaultCaptionFont() {
    LogFont font;
    font.face_name = "MS Sans Serif";
    font.height = 10;
    font.weight = 400;
    font.pitch_and_family = 0x20;
    return font;
}

Object TextButton(std::int32_t state, std::uint32_t style) {
    Object object;
    object.kind = kKindTextButton;
    object.rect = {20, 30, 120, 60};
    object.text = "OK";
    object.state = state;
    object.param2 = style;
    object.colour1 = 0x00C0C0;  // face: olive
    object.colour2 = 0x0000FF;  // caption: red
    object.colour3 = 0xFFFF00;  // flat hover fill: cyan
    object.colour4 = 0xFF00FF;  // flat hover caption: magenta
    return object;
}

// --- Text button, push style ---------------------------------------------------------------

TEST_F(DrawButtonsTest, PushButtonFramesByState) {
    // R is the object's rectangle shrunk by one: (21, 31, 119, 59).
    struct Case {
        std::int32_t state;
        Bgrx outer_top_left, inner_top_left, inner_bottom_right, outer_bottom_right;
        bool black_frame;
    };
    const Case cases[] = {
        {0, kWhite, kLight, kShadow, kBlack, false},
        {1, kWhite, kLight, kShadow, kBlack, true},
        {2, kBlack, kShadow, kLight, kWhite, true},
    };
    const Bgrx face = BgrxFromColorRef(0x00C0C0);
    for (const Case& c : cases) {
        surface_.Fill(kPage);
        Object object = TextButton(c.state, 0);
        DrawTextButton(object, ctx_);
        SCOPED_TRACE("state " + std::to_string(c.state));
        EXPECT_EQ(At(21, 31), c.outer_top_left);
        EXPECT_EQ(At(22, 32), c.inner_top_left);
        EXPECT_EQ(At(117, 57), c.inner_bottom_right);
        EXPECT_EQ(At(118, 58), c.outer_bottom_right);
        // The face, R shrunk by the edge size (2), in colour1.
        EXPECT_EQ(At(23, 33), face);
        EXPECT_EQ(At(116, 56), face);
        // The object's own rectangle gets the black line in states 1 and 2 only.
        for (Point p : {Point{20, 30}, Point{119, 59}, Point{70, 30}, Point{20, 45}}) {
            EXPECT_EQ(At(p.x, p.y), c.black_frame ? kBlack : kPage) << p.x << "," << p.y;
        }
        EXPECT_EQ(At(19, 29), kPage);
        EXPECT_EQ(At(120, 60), kPage);
        // The focus rectangle on R shrunk by 3, (24, 34, 116, 56): dots inverted where
        // x + y is odd.
        const Bgrx inverted = face ^ 0xFFFFFF;
        EXPECT_EQ(At(25, 34), c.black_frame ? inverted : face);
        EXPECT_EQ(At(24, 34), face);
        EXPECT_EQ(At(115, 40), c.black_frame ? inverted : face);
    }
}

TEST_F(DrawButtonsTest, PushButtonCaptionIsCentredAndPressedMovesItByOne) {
    const Rect r{21, 31, 119, 59};
    const std::uint32_t format = kDtSingleLine | kDtVCenter | kDtCenter;
    const Bgrx caption = BgrxFromColorRef(0x0000FF);
    for (std::int32_t state : {0, 1, 2}) {
        surface_.Fill(kPage);
        Object object = TextButton(state, 0);
        DrawTextButton(object, ctx_);
        const Rect at = state == 2 ? Rect{22, 32, 120, 60} : r;
        EXPECT_EQ(PixelsOf(surface_, caption),
                  CaptionPixels(DefaultCaptionFont(), "OK", at, format, caption))
            << "state " << state;
    }
}

TEST_F(DrawButtonsTest, Param1SelectsTheObjectsFontOverTheDefault) {
    const Rect r{21, 31, 119, 59};
    const std::uint32_t format = kDtSingleLine | kDtVCenter | kDtCenter;
    const Bgrx caption = BgrxFromColorRef(0x0000FF);
    Object object = TextButton(0, 0);
    object.font.face_name = "Times New Roman";
    object.font.height = -20;
    object.param1 = 1;
    DrawTextButton(object, ctx_);
    const std::vector<Point> drawn = PixelsOf(surface_, caption);
    EXPECT_EQ(drawn, CaptionPixels(object.font, "OK", r, format, caption));
    EXPECT_NE(drawn, CaptionPixels(DefaultCaptionFont(), "OK", r, format, caption));
}

// --- Text button, flat style ---------------------------------------------------------------

TEST_F(DrawButtonsTest, FlatButtonFillsAndColoursByState) {
    const Rect r{21, 31, 119, 59};
    const Rect caption_rect{31, 31, 119, 59};  // left edge moved 10 pixels right
    const std::uint32_t format = kDtSingleLine | kDtVCenter;
    struct Case {
        std::int32_t state;
        std::optional<Bgrx> fill;
        Bgrx caption;
    };
    const Case cases[] = {
        {0, std::nullopt, BgrxFromColorRef(0x0000FF)},
        {1, BgrxFromColorRef(0xFFFF00), BgrxFromColorRef(0xFF00FF)},
        {2, BgrxFromColorRef(0xFFFF00), BgrxFromColorRef(0xFF00FF)},
    };
    for (const Case& c : cases) {
        surface_.Fill(kPage);
        Object object = TextButton(c.state, 1);
        DrawTextButton(object, ctx_);
        SCOPED_TRACE("state " + std::to_string(c.state));
        const std::vector<Point> caption = PixelsOf(surface_, c.caption);
        EXPECT_FALSE(caption.empty());
        EXPECT_EQ(caption,
                  CaptionPixels(DefaultCaptionFont(), "OK", caption_rect, format, c.caption));
        if (c.fill) {
            EXPECT_EQ(BoxOf(*c.fill), r);
        }
        // Nothing outside R changes; in state 0 nothing but the caption changes.
        EXPECT_EQ(At(20, 30), kPage);
        EXPECT_EQ(At(119, 59), kPage);
        if (!c.fill) {
            EXPECT_EQ(PixelsOf(surface_, kPage).size() + caption.size(), 200u * 120u);
        }
    }
}

// --- Bitmap button ------------------------------------------------------------------------

Object BitmapButton(std::int32_t state) {
    Object object;
    object.kind = kKindBitmapButton;
    object.rect = {40, 20, 80, 60};
    object.state = state;
    return object;
}

TEST_F(DrawButtonsTest, PlainPicturePerStateWithItsOffset) {
    struct Case {
        std::int32_t state;
        Rect expected;
        Bgrx colour;
    };
    const Case cases[] = {
        {0, {40, 20, 46, 24}, MakeBgrx(255, 0, 0)},
        {1, {43, 25, 48, 27}, MakeBgrx(0, 255, 0)},
        {2, {35, 12, 39, 13}, MakeBgrx(0, 0, 255)},
    };
    for (const Case& c : cases) {
        surface_.Fill(kPage);
        Object object = BitmapButton(c.state);
        object.image1 = SolidPicture(6, 4, 0xFF0000);
        object.image2 = SolidPicture(5, 2, 0x00FF00);
        object.image2_offset = {3, 5};
        object.image3 = SolidPicture(4, 1, 0x0000FF);
        object.image3_offset = {-5, -8};
        DrawBitmapButton(object, ctx_);
        EXPECT_EQ(BoxOf(c.colour), c.expected) << "state " << c.state;
        EXPECT_EQ(PixelsOf(surface_, kPage).size(),
                  200u * 120u - std::size_t(c.expected.Width() * c.expected.Height()));
    }
}

TEST_F(DrawButtonsTest, PlainButtonWithoutThePictureOfItsStateDrawsNothing) {
    for (std::int32_t state : {1, 2}) {
        Object object = BitmapButton(state);
        object.image1 = SolidPicture(6, 4, 0xFF0000);
        DrawBitmapButton(object, ctx_);
        EXPECT_EQ(surface_, Surface(200, 120, kPage)) << "state " << state;
    }
}

TEST_F(DrawButtonsTest, KeyColourPixelsAreLeftUntouched) {
    // Column 0 of every picture is the key colour, column 1 another colour.
    struct Case {
        std::int32_t state;
        std::uint32_t key_rgb;  // 0xRRGGBB
    };
    const Case cases[] = {{0, 0x000000}, {1, 0x123456}, {2, 0xFFFFFF}};
    for (const Case& c : cases) {
        for (bool keyed : {true, false}) {
            surface_.Fill(kPage);
            const Picture picture = MakePicture(
                2, 3, [&](std::int32_t x, std::int32_t) { return x == 0 ? c.key_rgb : 0x808000u; });
            Object object = BitmapButton(c.state);
            object.image1 = object.image2 = object.image3 = picture;
            const std::uint32_t key_ref = BgrxFromColorRef(c.key_rgb);  // as a COLORREF
            object.colour1 = object.colour2 = object.colour3 = key_ref;
            object.transparent1 = object.transparent2 = object.transparent3 = keyed;
            DrawBitmapButton(object, ctx_);
            SCOPED_TRACE("state " + std::to_string(c.state) + (keyed ? " keyed" : ""));
            for (std::int32_t y = 20; y < 23; ++y) {
                EXPECT_EQ(At(40, y), keyed ? kPage : Bgrx{c.key_rgb});
                EXPECT_EQ(At(41, y), MakeBgrx(0x80, 0x80, 0x00));
            }
        }
    }
}

// The alpha picture is a 2 x 2 grid: states 0, 1, 2 and the alpha masks (state s in byte s of
// each pixel: R, G, B).
TEST_F(DrawButtonsTest, AlphaPictureShowsAQuarterBlendedOverThePage) {
    constexpr std::uint32_t kState0 = 0xFF0000, kState1 = 0x00FF00, kState2 = 0x0000FF;
    // Alphas: state 0 fully opaque, state 1 half (128), state 2 transparent on the left half
    // of the button and opaque on the right.
    const Picture picture = MakePicture(100, 60, [&](std::int32_t x, std::int32_t y) {
        if (x < 50 && y < 30) return kState0;
        if (y < 30) return kState1;
        if (x < 50) return kState2;
        return 0xFF8000u | ((x - 50) < 25 ? 0x00u : 0xFFu);
    });
    struct Case {
        std::int32_t state;
        Bgrx left, right;  // the button at (45, 25) and (85, 25)
    };
    const auto half = [](std::uint8_t c, std::uint8_t bg) {
        return std::uint8_t((c * 128 + bg * 127) >> 8);
    };
    const Case cases[] = {
        {0, MakeBgrx(255, 0, 0), MakeBgrx(255, 0, 0)},
        {1, MakeBgrx(half(0, 10), half(255, 100), half(0, 200)),
         MakeBgrx(half(0, 10), half(255, 100), half(0, 200))},
        {2, kPage, MakeBgrx(0, 0, 255)},
    };
    for (const Case& c : cases) {
        surface_.Fill(kPage);
        Object object = BitmapButton(c.state);
        object.option2 = 1;
        object.image1 = picture;
        DrawBitmapButton(object, ctx_);
        SCOPED_TRACE("state " + std::to_string(c.state));
        EXPECT_EQ(At(45, 25), c.left);
        EXPECT_EQ(At(85, 25), c.right);
        // A 100 x 60 picture makes a 50 x 30 button.
        EXPECT_EQ(At(89, 49), c.right);
        EXPECT_EQ(At(90, 25), kPage);
        EXPECT_EQ(At(60, 50), kPage);
    }
}

TEST_F(DrawButtonsTest, AlphaPictureFollowsTheClip) {
    Object object = BitmapButton(0);
    object.option2 = 1;
    object.image1 = SolidPicture(20, 20, 0xFFFFFF);  // every alpha 255, state 0 white
    canvas_.IntersectClip({45, 0, 200, 25});
    DrawBitmapButton(object, ctx_);
    EXPECT_EQ(BoxOf(kWhite), (Rect{45, 20, 50, 25}));
}

// The push frame wraps image1 in a push-button frame of its size plus the edges (2 each).
TEST_F(DrawButtonsTest, PushFrameAroundThePicture) {
    struct Case {
        std::int32_t state;
        Bgrx frame_top_left;
        Rect picture_at;
        bool marked;
    };
    const Case cases[] = {
        {0, kWhite, {42, 22, 48, 26}, false},
        {1, kWhite, {42, 22, 48, 26}, true},
        {2, kBlack, {43, 23, 49, 27}, true},
    };
    const Bgrx green = MakeBgrx(0, 160, 0);
    for (const Case& c : cases) {
        surface_.Fill(kPage);
        Object object = BitmapButton(c.state);
        object.option1 = 1;
        object.image1 = SolidPicture(6, 4, 0x00A000);
        // Transparency does not apply to the push frame.
        object.transparent1 = 1;
        object.colour1 = 0x00A000;
        DrawBitmapButton(object, ctx_);
        SCOPED_TRACE("state " + std::to_string(c.state));
        // The frame O = (40, 20, 50, 28).
        EXPECT_EQ(At(40, 20), c.frame_top_left);
        EXPECT_EQ(At(50, 20), c.marked ? kBlack : kPage);  // O grown by one
        EXPECT_EQ(At(39, 19), c.marked ? kBlack : kPage);
        EXPECT_EQ(At(51, 29), kPage);
        // The picture; in states 1 and 2 the focus rectangle on O shrunk by 3, (43, 23, 47,
        // 25), inverts the dots where x + y is odd.
        Rect box = c.picture_at;
        if (c.marked) {
            EXPECT_EQ(At(44, 23), green ^ 0xFFFFFF);
            EXPECT_EQ(At(43, 23), green);
        } else {
            EXPECT_EQ(BoxOf(green), box);
        }
        EXPECT_EQ(At(box.left, box.bottom - 1), green);
        EXPECT_EQ(At(box.right - 1, box.bottom - 1), green);
    }
}

TEST_F(DrawButtonsTest, DrawOffsetMovesButtons) {
    Object object = BitmapButton(0);
    object.image1 = SolidPicture(3, 3, 0xFF0000);
    ctx_.draw_offset = {-30, 50};
    DrawObject(object, ctx_);
    EXPECT_EQ(BoxOf(MakeBgrx(255, 0, 0)), (Rect{10, 70, 13, 73}));
}

}  // namespace
}  // namespace velk

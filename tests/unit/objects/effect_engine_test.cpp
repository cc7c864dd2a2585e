// Effect objects: every type's frames from a fixed seed, the rules the presentation can see
// (still pictures, seeded fire rows, frame size and stretching, missing pictures), the palettes,
// and the page's effect timer stepping only the effects it is given.
#include "objects/effect/effect_engine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fake_page_owner.h"
#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "hosts/headless/recording_ui.h"
#include "objects/draw_object.h"
#include "objects/effect/effect_kind.h"
#include "objects/effect/effect_palettes.h"
#include "objects/effect/effect_runtime.h"
#include "objects/picture_cache.h"
#include "pages/page_manager.h"

namespace velk {
namespace {

Object Effect(std::uint32_t type, std::uint32_t mode = 0) {
    Object effect;
    effect.kind = kKindEffect;
    effect.rect = {10, 20, 74, 68};  // 64 x 48
    effect.param1 = type;
    effect.param2 = 40;
    effect.param4 = mode;
    effect.option3 = 64;
    effect.option4 = 48;
    effect.colour1 = 0x0000FF;
    effect.colour2 = 0xFFFF00;
    effect.colour3 = 0x030201;     // s1 1, s2 2, s3 3
    effect.hover_mode = 0x060504;  // s4 4, s5 5, s6 6
    effect.option0 = 0x0807;       // s7 7, s8 8
    return effect;
}

// A 40 x 30 picture with a different colour in every pixel.
RgbImage Picture40x30() {
    RgbImage picture{40, 30, {}};
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            picture.pixels.push_back(static_cast<std::uint8_t>(x * 6));
            picture.pixels.push_back(static_cast<std::uint8_t>(y * 8));
            picture.pixels.push_back(static_cast<std::uint8_t>((x * y) & 0xFF));
        }
    }
    return picture;
}

std::uint32_t Hash(const Surface& frame) {
    std::uint32_t hash = 2166136261u;
    for (const Bgrx p : frame.Pixels()) hash = (hash ^ (p & 0xFFFFFF)) * 16777619u;
    return hash;
}

EffectEngine Made(const Object& effect, std::uint32_t seed = 7, int steps = 0) {
    RuntimeRandom random(seed);
    const RgbImage picture = Picture40x30();
    EffectEngine engine = MakeEffectEngine(effect, &picture, random);
    for (int i = 0; i < steps; ++i) StepEffect(engine, random);
    return engine;
}

TEST(EffectEngine, EveryTypeMakesTheSameFramesFromTheSameSeed) {
    struct Case {
        std::uint32_t type, mode;
        std::int32_t width, height;
        std::uint32_t after_make, after_forty;
    };
    // Hashes of the frame after the first step and after forty more.
    const Case cases[] = {
        {0, 0, 64, 48, 127986472u, 2679159682u},  {0, 4, 64, 48, 3791767197u, 1085109251u},
        {1, 0, 64, 48, 649724494u, 76934734u},    {1, 3, 64, 48, 1616773710u, 2046946894u},
        {2, 0, 64, 48, 2583367109u, 3709865413u}, {2, 2, 64, 48, 2583367109u, 183361153u},
        {3, 0, 40, 30, 620490562u, 3775407452u},  {4, 3, 64, 48, 640741572u, 2316168210u},
        {4, 5, 64, 48, 2909530458u, 4014528300u}, {5, 0, 40, 30, 3941525893u, 865915180u},
        {6, 0, 64, 48, 502260798u, 3077918029u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type) + " mode " + std::to_string(c.mode));
        const Object effect = Effect(c.type, c.mode);
        const EffectEngine first = Made(effect);
        EXPECT_EQ(first.type, static_cast<std::int32_t>(c.type));
        EXPECT_EQ(first.width, c.width);
        EXPECT_EQ(first.height, c.height);
        EXPECT_EQ(Hash(first.frame), c.after_make);
        const EffectEngine later = Made(effect, 7, 40);
        EXPECT_EQ(Hash(later.frame), c.after_forty);
        EXPECT_NE(Hash(later.frame), Hash(first.frame));
        EXPECT_EQ(Hash(Made(effect, 7, 40).frame), Hash(later.frame));
    }
}

TEST(EffectEngine, TheSeedDecidesThePlasmaPhases) {
    EXPECT_NE(Hash(Made(Effect(0), 7).frame), Hash(Made(Effect(0), 8).frame));
}

TEST(EffectEngine, StillStepValuesGiveAStillPicture) {
    // Plasma with every step value 0, and the light with s1 = s2 = 0 lit from a fixed point.
    for (const std::uint32_t type : {0u, 5u}) {
        Object effect = Effect(type);
        effect.colour3 = effect.hover_mode = effect.option0 = 0;
        const EffectEngine engine = Made(effect);
        EXPECT_EQ(Hash(Made(effect, 7, 3).frame), Hash(engine.frame)) << "type " << type;
    }
}

TEST(EffectEngine, FireSeedsItsFirstRowByS1) {
    auto lit_cells = [](std::uint32_t s1) {
        Object effect = Effect(2);
        effect.rect = {0, 0, 400, 10};
        effect.option3 = 400;
        effect.option4 = 10;
        effect.colour3 = s1;
        const EffectEngine engine = Made(effect);
        // After the step the grid that was read (and seeded) is the spare one.
        int lit = 0;
        for (int x = 0; x < 400; ++x) lit += engine.heat_new[std::size_t(14) * 400 + x] == 255;
        return lit;
    };
    EXPECT_EQ(lit_cells(15), 400);
    const int rare = lit_cells(0);
    EXPECT_GT(rare, 400 / 16 / 3);
    EXPECT_LT(rare, 400 / 16 * 3);
}

TEST(EffectEngine, FrameIsLimitedByTheRequestedSizeAndStretchedOntoTheRectangle) {
    Object effect = Effect(0);
    effect.rect = {0, 0, 300, 200};
    effect.option3 = 160;
    effect.option4 = 100;
    headless::RecordingUi ui;
    PictureCache pictures(ui);
    RuntimeRandom random(3);
    StartEffect(effect, pictures, random);
    ASSERT_TRUE(effect.effect_engine);
    EXPECT_EQ(effect.effect_engine->width, 160);
    EXPECT_EQ(effect.effect_engine->height, 100);

    Surface surface(320, 220, MakeBgrx(1, 2, 3));
    Canvas canvas(surface);
    FontCache fonts;
    DrawContext ctx{canvas, fonts, pictures, {}};
    DrawEffect(effect, ctx);
    // The frame's bottom-right pixel lands in the rectangle's bottom-right corner.
    EXPECT_EQ(surface.At(299, 199), effect.effect_engine->frame.At(159, 99));
    EXPECT_EQ(surface.At(0, 0), effect.effect_engine->frame.At(0, 0));
    EXPECT_EQ(surface.At(300, 200), MakeBgrx(1, 2, 3));
}

TEST(EffectEngine, PictureEffectsWithoutAPictureDrawNothing) {
    for (const std::uint32_t type : {3u, 4u, 5u, 6u}) {
        RuntimeRandom random(1);
        EXPECT_EQ(MakeEffectEngine(Effect(type), nullptr, random).type, -1) << type;
    }
    RuntimeRandom random(1);
    EXPECT_EQ(MakeEffectEngine(Effect(7), nullptr, random).type, -1);
    Object empty = Effect(0);
    empty.option3 = 0;
    EXPECT_EQ(MakeEffectEngine(empty, nullptr, random).type, -1);
    // A rectangle drawn backwards has no frame either, rather than a negative one.
    empty = Effect(0);
    empty.rect = {100, 100, 10, 10};
    EXPECT_EQ(MakeEffectEngine(empty, nullptr, random).type, -1);
}

TEST(EffectPalettes, FixedEntries) {
    const EffectPalette fire = FirePalette();
    EXPECT_EQ(fire.colours[0], MakeBgrx(0, 0, 0));
    EXPECT_EQ(fire.colours[84], MakeBgrx(252, 0, 0));
    EXPECT_EQ(fire.colours[100], MakeBgrx(255, 45, 0));
    EXPECT_EQ(fire.colours[200], MakeBgrx(255, 255, 90));
    const EffectPalette cold = ColdFirePalette();
    EXPECT_EQ(cold.colours[32], MakeBgrx(0, 0, 0));
    EXPECT_EQ(cold.colours[33], MakeBgrx(2, 2, 4));
    EXPECT_EQ(cold.colours[64], MakeBgrx(0x80, 80, 80));  // -128 kept as its low byte
    EXPECT_EQ(cold.colours[200], MakeBgrx(255, 255, 255));
    const EffectPalette gradient = GradientPalette(0x0000FF, 0xFF0000);
    EXPECT_EQ(gradient.colours[0], MakeBgrx(255, 0, 0));
    EXPECT_EQ(gradient.colours[255], MakeBgrx(0, 0, 255));
    const EffectPalette fade = FadeThroughBlackPalette(0x0000FF, 0x00FF00);
    EXPECT_EQ(fade.colours[0], MakeBgrx(255, 0, 0));
    EXPECT_EQ(fade.colours[128], MakeBgrx(0, 0, 0));
    EXPECT_EQ(fade.colours[192], MakeBgrx(0, 127, 0));
    const EffectPalette rainbow = RainbowPalette();
    EXPECT_EQ(rainbow.colours[255], MakeBgrx(0, 0, 255));  // hue 0 is red, shown as blue
}

class InvalidationLog : public ObjectOwner {
  public:
    void Invalidate(const Rect& rect) override { rects.push_back(rect); }
    void SetTimer(std::uint32_t, std::uint32_t) override {}
    void KillTimer(std::uint32_t) override {}
    std::int32_t ClientWidth() override { return 0; }
    std::int32_t FieldCharAdvance(const LogFont&, char) override { return 0; }
    std::vector<Rect> rects;
};

TEST(EffectRuntime, TheTimerStepsShownRunningEffectsOnly) {
    headless::RecordingUi ui;
    PictureCache pictures(ui);
    RuntimeRandom random(5);
    std::vector<Object> objects = {Effect(0), Effect(0), Effect(0), Effect(0)};
    objects[1].hidden = 1;
    objects[2].param3 = 1;  // paused
    objects[3].rect = {100, 100, 164, 148};
    for (Object& object : objects) StartEffect(object, pictures, random);
    std::vector<std::uint32_t> before;
    for (const Object& object : objects) before.push_back(Hash(object.effect_engine->frame));
    std::vector<Object> other_page = {Effect(1)};
    StartEffect(other_page[0], pictures, random);
    const std::uint32_t other_before = Hash(other_page[0].effect_engine->frame);

    InvalidationLog owner;
    StepEffects(objects, random, owner);
    EXPECT_NE(Hash(objects[0].effect_engine->frame), before[0]);
    EXPECT_EQ(Hash(objects[1].effect_engine->frame), before[1]);
    EXPECT_EQ(Hash(objects[2].effect_engine->frame), before[2]);
    EXPECT_NE(Hash(objects[3].effect_engine->frame), before[3]);
    EXPECT_EQ(owner.rects, (std::vector<Rect>{objects[0].rect, objects[3].rect}));
    EXPECT_EQ(Hash(other_page[0].effect_engine->frame), other_before);
}

TEST(EffectRuntime, PageStopReleasesTheEngines) {
    headless::RecordingUi ui;
    PictureCache pictures(ui);
    RuntimeRandom random(5);
    Project project;
    project.pages.emplace_back();
    Page& page = project.pages[0];
    page.objects = {Effect(0), Effect(2)};
    for (Object& object : page.objects) StartEffect(object, pictures, random);
    PageManager pages(project);
    test::FakePageOwner owner;
    pages.StopPage(page, owner);
    for (const Object& object : page.objects) EXPECT_FALSE(object.effect_engine);
}

}  // namespace
}  // namespace velk

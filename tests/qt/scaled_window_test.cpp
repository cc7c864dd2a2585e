// The presentation scaled to the screen: the scale modes, F11, sharp pixels and the tooltip
// bubble that follows the picture.
#include <gtest/gtest.h>

#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "fake_player_port.h"
#include "hosts/qt/letterbox.h"
#include "hosts/qt/qt_clock.h"
#include "hosts/qt/qt_event_loop.h"
#include "hosts/qt/qt_host.h"
#include "hosts/qt/qt_tooltip.h"
#include "hosts/qt/qt_window_host.h"
#include "test_pictures.h"

namespace velk::desktop {
namespace {

TEST(Letterbox, EachScaleModePlacesThePictureAndMapsThePointerBothWays) {
    struct Case {
        ScaleMode mode;
        Size content;
        Size area;
        Rect placed;
        Point screen;  // a point of the area ...
        Point client;  // ... and the client pixel under it
    };
    const Case cases[] = {
        {ScaleMode::kFit, {380, 200}, {800, 600}, {0, 89, 800, 510}, {799, 509}, {379, 199}},
        {ScaleMode::kFit, {640, 480}, {1280, 1024}, {0, 32, 1280, 992}, {2, 34}, {1, 1}},
        // Twice fits (three times would not across): 760 x 400, centred.
        {ScaleMode::kInteger, {380, 200}, {800, 600}, {20, 100, 780, 500}, {40, 120}, {10, 10}},
        {ScaleMode::kInteger, {380, 200}, {800, 600}, {20, 100, 780, 500}, {19, 100}, {-1, 0}},
        // Larger than the screen: no whole number fits, so it shrinks to fit.
        {ScaleMode::kInteger, {1024, 768}, {800, 600}, {0, 0, 800, 600}, {400, 300}, {512, 384}},
        {ScaleMode::kStretch, {380, 200}, {800, 600}, {0, 0, 800, 600}, {400, 300}, {190, 100}},
        {ScaleMode::kStretch, {380, 200}, {800, 600}, {0, 0, 800, 600}, {799, 599}, {379, 199}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.mode) << " " << c.content.width << "x" << c.content.height << " at "
                     << c.screen.x << "," << c.screen.y);
        const Rect placed = PlaceRect(c.content, c.area, c.mode);
        EXPECT_EQ(placed, c.placed);
        EXPECT_EQ(MapToClient(c.screen, placed, c.content), c.client);
        // Back to the screen: where that client pixel begins, at or before the point.
        const Point begins = MapPointToScreen(c.client, placed, c.content);
        EXPECT_LE(begins.x, c.screen.x);
        EXPECT_LE(begins.y, c.screen.y);
        EXPECT_EQ(MapToClient(begins, placed, c.content), c.client);
    }
}

class ScaledWindow : public testing::Test {
  protected:
    ScaledWindow() : port(Pattern(380, 200)) {
        window.Attach(&port);
        window.SetStyle({.has_caption = false});
        window.SetClientSize(380, 200);
    }
    ~ScaledWindow() override { window.Close(); }

    QSize ScreenSize() const { return window.Widget().screen()->geometry().size(); }

    // The centre of client pixel `client` on the widget.
    QPoint CentreOf(Point client) const {
        const Rect picture = window.Widget().PictureRect();
        const Point begins = MapPointToScreen(client, picture, {380, 200});
        const Point next = MapPointToScreen({client.x + 1, client.y + 1}, picture, {380, 200});
        return QPoint((begins.x + next.x) / 2, (begins.y + next.y) / 2);
    }

    QtClock clock;
    QtEventLoop events{clock};
    QtWindowHost window{clock, events};
    FakePlayerPort port;
};

TEST_F(ScaledWindow, F11GoesFullscreenScaledAndBackToTheWindowAsItWas) {
    window.MoveTo({30, 40});
    window.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.Widget()));
    const QPoint before = window.Widget().pos();

    QTest::keyClick(&window.Widget(), Qt::Key_F11);
    EXPECT_TRUE(port.keys.empty());  // the player's key: the presentation never sees it
    EXPECT_TRUE(window.UserFullscreen());
    EXPECT_EQ(window.Widget().size(), ScreenSize());
    EXPECT_EQ(window.Widget().ClientSize(), (Size{380, 200}));
    // The presentation still believes in its window; the pointer lands on its pixels.
    EXPECT_EQ(window.Position(), (Point{before.x(), before.y()}));
    EXPECT_EQ(window.ScreenSize(), (Size{ScreenSize().width(), ScreenSize().height()}));
    QTest::mouseClick(&window.Widget(), Qt::LeftButton, {}, CentreOf({190, 100}));
    ASSERT_FALSE(port.pointer.empty());
    EXPECT_EQ(port.pointer[0].position, (Point{190, 100}));

    QTest::keyClick(&window.Widget(), Qt::Key_F11);
    EXPECT_FALSE(window.UserFullscreen());
    EXPECT_FALSE(window.Widget().Scaled());
    EXPECT_EQ(window.Widget().size(), QSize(380, 200));
    EXPECT_EQ(window.Widget().pos(), before);
    EXPECT_TRUE(port.keys.empty());
}

TEST_F(ScaledWindow, ADisplayModeStaysFullscreenAndF11StillDoesNotReachThePresentation) {
    window.ShowFullscreenScaled(640, 480);
    QTest::keyClick(&window.Widget(), Qt::Key_F11);
    EXPECT_TRUE(window.Widget().Scaled());
    EXPECT_FALSE(window.UserFullscreen());
    EXPECT_EQ(window.ScreenSize(), (Size{640, 480}));
    EXPECT_TRUE(port.keys.empty());
}

TEST_F(ScaledWindow, ThePointerLandsOnTheSamePixelInEveryScaleMode) {
    window.ShowFullscreenScaled(640, 480);
    window.SetClientSize(380, 200);
    for (const ScaleMode mode : {ScaleMode::kFit, ScaleMode::kInteger, ScaleMode::kStretch}) {
        window.SetScaling(mode, false);
        port.pointer.clear();
        for (const Point client : {Point{0, 0}, Point{190, 100}, Point{379, 199}}) {
            QTest::mouseMove(&window.Widget(), CentreOf(client));
            ASSERT_FALSE(port.pointer.empty());
            EXPECT_EQ(port.pointer.back().position, client) << int(mode);
        }
    }
}

TEST_F(ScaledWindow, SharpPixelsByDefaultEachClientPixelAWholeBlock) {
    window.SetScaling(ScaleMode::kInteger, false);
    window.ShowFullscreenScaled(640, 480);
    window.SetClientSize(380, 200);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.Widget()));
    const Rect picture = window.Widget().PictureRect();
    ASSERT_GE(picture.Width(), 2 * 380);  // the offscreen screen takes twice the picture
    const QImage shot = window.Widget().grab().toImage();
    const Surface& buffer = port.BackBuffer();
    int wrong = 0;
    for (int y = picture.top; y < picture.bottom; ++y) {
        for (int x = picture.left; x < picture.right; ++x) {
            const Point client = MapToClient({x, y}, picture, {380, 200});
            wrong += Rgb(shot, x, y) != buffer.At(client.x, client.y);
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(ScaledWindow, TheTooltipShowsTheCoresPixelsWhereItIsToldWhenNotScaled) {
    QtTooltip tooltip(window);
    const Surface pixels(30, 17, MakeBgrx(255, 255, 225));
    tooltip.ShowTooltip({40, 60}, pixels, "Tip");
    const TooltipWidget& widget = tooltip.Widget();
    EXPECT_TRUE(widget.isVisible());
    EXPECT_EQ(widget.size(), QSize(30, 17));
    EXPECT_EQ(widget.pos(), QPoint(40, 60));
    EXPECT_TRUE(widget.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(const_cast<TooltipWidget&>(widget).grab().toImage().pixelColor(5, 5),
              QColor(255, 255, 225));
    tooltip.HideTooltip();
    EXPECT_FALSE(widget.isVisible());
}

TEST_F(ScaledWindow, TheTooltipFollowsTheScaledPictureAndGrowsWithIt) {
    // Both ways of being scaled: the presentation's display mode (it believes its window is at
    // (50, 60) of a 640 x 480 screen) and fullscreen by the user (its window is at (30, 40)).
    for (const bool display_mode : {true, false}) {
        SCOPED_TRACE(display_mode ? "display mode" : "F11");
        if (display_mode) {
            window.ShowFullscreenScaled(640, 480);
            window.SetClientSize(380, 200);
            window.MoveTo({50, 60});
        } else {
            window.MoveTo({30, 40});
            window.Show();
            window.ToggleFullscreen();
        }
        window.SetScaling(ScaleMode::kInteger, false);
        QtTooltip tooltip(window);
        // Where the core puts the bubble: 20 pixels below client point (190, 100).
        const Point origin = window.ClientOrigin();
        const Point below{190, 120};
        Surface pixels(30, 17, MakeBgrx(255, 255, 225));
        pixels.Set(0, 0, MakeBgrx(0, 0, 0));
        tooltip.ShowTooltip({origin.x + below.x, origin.y + below.y}, pixels, "Tip");

        const Rect picture = window.Widget().PictureRect();
        const Point shown = MapPointToScreen(below, picture, {380, 200});
        const TooltipWidget& widget = tooltip.Widget();
        EXPECT_EQ(widget.pos(), window.Widget().mapToGlobal(QPoint(shown.x, shown.y)));
        const int factor = picture.Width() / 380;
        EXPECT_EQ(widget.size(), QSize(30 * factor, 17 * factor));
        // Sharp like the picture: the dark corner pixel is a whole block.
        const QImage bubble = const_cast<TooltipWidget&>(widget).grab().toImage();
        EXPECT_EQ(Rgb(bubble, factor - 1, factor - 1), 0u);
        EXPECT_EQ(Rgb(bubble, factor, factor), 0xFFFFE1u);
        if (!display_mode) window.ToggleFullscreen();
    }
}

TEST(ScaledHost, SwitchingFullscreenTakesAwayTheBubblePlacedAtTheOldScale) {
    QTemporaryDir dir;
    QtHost host(QtHostOptions{.message_box = {},
                              .profile_path = dir.filePath(QStringLiteral("profile.ini")),
                              .choose_project = {}});
    FakePlayerPort port(Pattern(380, 200));
    host.Attach(&port);
    host.Window().SetClientSize(380, 200);
    host.Window().Show();
    auto& tooltip = dynamic_cast<QtTooltip&>(*host.Services().tooltip);
    for (int i = 0; i < 2; ++i) {  // into fullscreen and out again
        tooltip.ShowTooltip({40, 60}, Surface(30, 17), "Tip");
        host.Window().ToggleFullscreen();
        EXPECT_FALSE(tooltip.Widget().isVisible());
    }
    host.Attach(nullptr);
}

}  // namespace
}  // namespace velk::desktop

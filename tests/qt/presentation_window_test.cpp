// The window with a stand-in player: pictures, scaling, input and timers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTest>

#include "fake_player_port.h"
#include "hosts/qt/key_codes.h"
#include "hosts/qt/letterbox.h"
#include "hosts/qt/qt_clock.h"
#include "hosts/qt/qt_event_loop.h"
#include "hosts/qt/qt_window_host.h"
#include "test_pictures.h"

namespace velk::desktop {
namespace {

class PresentationWindow : public testing::Test {
  protected:
    PresentationWindow() : port(Pattern(380, 200)) { window.Attach(&port); }
    ~PresentationWindow() override { window.Close(); }

    QtClock clock;
    QtEventLoop events{clock};
    QtWindowHost window{clock, events};
    FakePlayerPort port;
};

TEST_F(PresentationWindow, ShowsTheBackBufferPixelForPixelAtTheClientSize) {
    window.SetStyle({.has_caption = false});
    window.SetClientSize(380, 200);
    window.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.Widget()));
    EXPECT_EQ(window.Widget().size(), QSize(380, 200));
    EXPECT_EQ(window.WindowSize(), (Size{380, 200}));  // no frame without a caption
    EXPECT_TRUE(window.Widget().windowFlags().testFlag(Qt::FramelessWindowHint));

    const QImage shot = window.Widget().grab().toImage();
    ASSERT_EQ(shot.size(), QSize(380, 200));
    const Surface& buffer = port.BackBuffer();
    int wrong = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 380; ++x) wrong += Rgb(shot, x, y) != buffer.At(x, y);
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_FALSE(port.painted.empty());  // the player painted before the picture was shown
}

TEST_F(PresentationWindow, StylesMapToWindowFlags) {
    window.SetStyle(
        {.has_caption = true, .minimize_box = false, .layer = host::WindowLayer::kTopMost});
    Qt::WindowFlags flags = window.Widget().windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    window.SetStyle(
        {.has_caption = true, .minimize_box = true, .layer = host::WindowLayer::kBottom});
    flags = window.Widget().windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnBottomHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(PresentationWindow, FullscreenScaledKeepsTheProportionsAndMapsThePointerBack) {
    window.ShowFullscreenScaled(640, 480);
    window.SetClientSize(380, 200);  // the client area is what is scaled
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.Widget()));
    const QSize screen = window.Widget().size();
    ASSERT_GT(screen.width(), 380);
    EXPECT_EQ(window.ScreenSize(), (Size{640, 480}));  // the screen the presentation asked for
    const Rect fit = FitRect({380, 200}, {screen.width(), screen.height()});
    ASSERT_EQ(fit.left, 0);  // the offscreen screen is narrower in proportion: bars above, below
    ASSERT_GT(fit.top, 0);

    const QImage shot = window.Widget().grab().toImage();
    EXPECT_EQ(Rgb(shot, screen.width() / 2, fit.top / 2), 0u);  // the bar is black
    // The centre of client pixel (190, 100) shows that pixel, within smoothing.
    const QPoint centre(fit.left + (190 * fit.Width() + fit.Width() / 2) / 380,
                        fit.top + (100 * fit.Height() + fit.Height() / 2) / 200);
    const std::uint32_t shown = Rgb(shot, centre.x(), centre.y());
    EXPECT_NEAR(int(shown >> 8 & 0xFF), int(GreenOf(port.BackBuffer().At(190, 100))), 12);

    QTest::mouseClick(&window.Widget(), Qt::LeftButton, {}, centre);
    ASSERT_GE(port.pointer.size(), 2u);
    EXPECT_EQ(port.pointer[0].action, PointerAction::kDown);
    EXPECT_EQ(port.pointer[0].position, (Point{190, 100}));
    EXPECT_EQ(port.pointer[1].action, PointerAction::kUp);
}

TEST(Letterbox, FitsCentresAndMapsBothWays) {
    EXPECT_EQ(FitRect({640, 480}, {1280, 1024}), (Rect{0, 32, 1280, 992}));
    EXPECT_EQ(FitRect({800, 600}, {1920, 1080}), (Rect{240, 0, 1680, 1080}));
    EXPECT_EQ(FitRect({0, 480}, {1280, 1024}), (Rect{}));
    const Rect fit{0, 32, 1280, 992};
    EXPECT_EQ(MapToClient({0, 32}, fit, {640, 480}), (Point{0, 0}));
    EXPECT_EQ(MapToClient({1279, 991}, fit, {640, 480}), (Point{639, 479}));
    EXPECT_EQ(MapToClient({0, 31}, fit, {640, 480}), (Point{0, -1}));  // on the bar: outside
    EXPECT_EQ(MapToScreen({1, 1, 2, 2}, fit, {640, 480}), (Rect{2, 34, 4, 36}));
}

TEST_F(PresentationWindow, KeysReachThePlayerAsVirtualKeysAndCodePageCharacters) {
    window.Show();
    port.swallowed_key = 0x25;  // Left, as the player swallows it
    QTest::keyClick(&window.Widget(), Qt::Key_A);
    QTest::keyClick(&window.Widget(), Qt::Key_Left);
    QTest::keyClick(&window.Widget(), Qt::Key_Return);
    QTest::keyClick(&window.Widget(), Qt::Key_Tab);  // stays in the window: fields use it
    EXPECT_EQ(port.keys, (std::vector<std::uint32_t>{'A', 0x25, 0x0D, 0x09}));
    // A key of a French layout, typed in the code page.
    QKeyEvent e_acute(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier,
                      QString::fromUtf8("\u00E9"));
    QApplication::sendEvent(&window.Widget(), &e_acute);
    EXPECT_EQ(port.chars, (std::vector<std::uint8_t>{'a', '\r', '\t', 0xE9}));
    EXPECT_EQ(port.cancels, 0);  // Enter ends nothing

    QTest::keyClick(&window.Widget(), Qt::Key_Escape);
    EXPECT_EQ(port.keys.back(), 0x1Bu);
    EXPECT_EQ(port.cancels, 1);
    EXPECT_EQ(port.chars.size(), 4u);  // Escape types nothing
}

TEST_F(PresentationWindow, AFrameShowsWhereItMeetsAnyScreen) {
    const QRect first = QGuiApplication::screens().front()->geometry();
    const Rect corner{first.right(), first.bottom(), first.right() + 300, first.bottom() + 200};
    EXPECT_TRUE(window.ShowsOnAScreen(corner));  // one pixel of it shows
    QRect all;
    for (const QScreen* screen : QGuiApplication::screens()) all |= screen->geometry();
    const Rect beyond{all.right() + 1, all.top(), all.right() + 301, all.top() + 200};
    EXPECT_FALSE(window.ShowsOnAScreen(beyond));
}

TEST_F(PresentationWindow, TheDeleteKeyTypesNoCharacter) {
    window.Show();
    // The desktop gives the Delete key the text DEL; as on the old desktop, it is a key only.
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
    QApplication::sendEvent(&window.Widget(), &del);
    EXPECT_EQ(port.keys, (std::vector<std::uint32_t>{0x2E}));
    EXPECT_TRUE(port.chars.empty());
}

TEST_F(PresentationWindow, LosingTheKeyboardReachesThePlayerButAPopupDoesNot) {
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(&window.Widget(), &deactivated);
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(&window.Widget(), &popup);
    EXPECT_EQ(port.focus_losses, 1);
}

TEST(KeyCodes, QtKeysMapToVirtualKeys) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {Qt::Key_A, {}, 0x41},
        {Qt::Key_Z, Qt::ShiftModifier, 0x5A},
        {Qt::Key_7, {}, 0x37},
        {Qt::Key_7, Qt::KeypadModifier, 0x67},
        {Qt::Key_Exclam, Qt::ShiftModifier, 0x31},  // Shift+1 is still the key 1
        {Qt::Key_F1, {}, 0x70},
        {Qt::Key_F12, {}, 0x7B},
        {Qt::Key_Enter, Qt::KeypadModifier, 0x0D},
        {Qt::Key_Escape, {}, 0x1B},
        {Qt::Key_Delete, {}, 0x2E},
        {Qt::Key_Insert, {}, 0x2D},
        {Qt::Key_Home, {}, 0x24},
        {Qt::Key_End, {}, 0x23},
        {Qt::Key_Down, {}, 0x28},
        {Qt::Key_Space, {}, 0x20},
        {Qt::Key_Backspace, {}, 0x08},
        {Qt::Key_Shift, Qt::ShiftModifier, 0x10},
        {Qt::Key_Plus, Qt::KeypadModifier, 0x6B},
        {Qt::Key_Plus, Qt::ShiftModifier, 0xBB},
        {Qt::Key_Comma, {}, 0xBC},
        {Qt::Key_unknown, {}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyOf(c.key, c.modifiers), c.expected) << std::hex << c.key;
    }
}

TEST_F(PresentationWindow, ClosingTheWindowCancelsAndOnlyThePlayerClosesIt) {
    window.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.Widget()));
    EXPECT_FALSE(window.Widget().close());  // the user's close
    EXPECT_EQ(port.cancels, 1);
    EXPECT_TRUE(window.Widget().isVisible());
    window.Close();
    EXPECT_FALSE(window.Widget().isVisible());
    EXPECT_TRUE(events.Quitting());
    EXPECT_FALSE(events.PumpPending());
}

TEST_F(PresentationWindow, TheNextTimerIsDeliveredWhileTheCoreWaits) {
    port.due = clock.TickCount() + 5;
    window.TimersChanged();
    // The core waits event by event, as a Pause does, until its deadline.
    const std::uint32_t deadline = clock.TickCount() + 200;
    while (port.deliveries == 0 && static_cast<std::int32_t>(deadline - clock.TickCount()) > 0) {
        EXPECT_TRUE(events.WaitUntil(deadline));
    }
    EXPECT_EQ(port.deliveries, 1);
    EXPECT_FALSE(events.Quitting());
}

}  // namespace
}  // namespace velk::desktop

// The desktop's settings file, cursors and single-instance hand-over.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>

#include "hosts/qt/cursors.h"
#include "hosts/qt/ini_profile_store.h"
#include "hosts/qt/single_instance.h"

namespace velk::desktop {
namespace {

TEST(IniProfileStore, KeepsTextBySectionAndNameIgnoringCaseAcrossRuns) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quillhaven/Velk Player.ini"));
    {
        IniProfileStore store(path);
        EXPECT_EQ(store.ReadString("Velk", "X"), std::nullopt);
        store.WriteString("Velk", "X", "12");
        store.WriteString("Velk", "Name$", "Caf\xE9, \"quoted\"");
        store.WriteString("Other Show", "X", "-1");
        store.WriteString("velk", "x", "14");  // the same value, spelled otherwise
        store.WriteString("Velk", "Empty", "");
    }
    IniProfileStore store(path);  // a later run of the player
    EXPECT_EQ(store.ReadString("VELK", "X"), "14");
    EXPECT_EQ(store.ReadString("Velk", "name$"), "Caf\xE9, \"quoted\"");
    EXPECT_EQ(store.ReadString("Other Show", "x"), "-1");
    EXPECT_EQ(store.ReadString("Velk", "Empty"), "");
    EXPECT_EQ(store.ReadString("Velk", "Y"), std::nullopt);
    EXPECT_EQ(store.ReadInt("Velk", "X", -1), 14);
}

// A cursor file holding one 2 x 2 image of 32 bits per pixel with its hot spot at (1, 1).
std::vector<std::uint8_t> TinyCursorFile() {
    std::vector<std::uint8_t> f;
    auto u16 = [&f](std::uint32_t v) {
        for (int i = 0; i < 2; ++i) f.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto u32 = [&f](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) f.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    const std::uint32_t image_size = 40 + 2 * 2 * 4 + 2 * 4;  // header, colours, AND mask
    u16(0), u16(2), u16(1);                                   // directory: a cursor, one image
    f.push_back(2), f.push_back(2), f.push_back(0), f.push_back(0);
    u16(1), u16(1), u32(image_size), u32(6 + 16);
    u32(40), u32(2), u32(4), u16(1), u16(32), u32(0), u32(0), u32(0), u32(0), u32(0), u32(0);
    for (int i = 0; i < 4; ++i) u32(0xFFFF0000);  // opaque red
    for (int i = 0; i < 2; ++i) u32(0);           // AND mask rows: all shown
    return f;
}

TEST(Cursors, ProjectCursorFilesKeepTheirHotSpotAndBadOnesFallBack) {
    const auto file = TinyCursorFile();
    const auto cursor = CursorFromCurFile(file);
    ASSERT_TRUE(cursor.has_value());
    EXPECT_EQ(cursor->hotSpot(), QPoint(1, 1));
    EXPECT_EQ(cursor->pixmap().size(), QSize(2, 2));

    const std::vector<std::uint8_t> garbage = {0, 0, 2, 0, 1, 0, 9};
    EXPECT_FALSE(CursorFromCurFile(garbage).has_value());
    EXPECT_FALSE(CursorFromCurFile(std::span(file).first(30)).has_value());
    const host::Cursor bad{.shape = host::CursorShape::kProjectFile, .file = &garbage};
    EXPECT_EQ(CursorFor(bad).shape(), Qt::ArrowCursor);
    EXPECT_EQ(CursorFor({.shape = host::CursorShape::kHand}).shape(), Qt::PointingHandCursor);
}

TEST(Cursors, PanoramaCursorsShowTheWayItTurns) {
    const auto resource = [](std::int32_t number) {
        return CursorFor({.shape = host::CursorShape::kTableEntry, .resource = number});
    };
    EXPECT_EQ(resource(18004).shape(), Qt::SizeAllCursor);
    EXPECT_EQ(resource(18024).shape(), Qt::PointingHandCursor);
    // Up, down, left and right: four different arrows, each pointing from the middle.
    std::vector<QImage> arrows;
    for (std::int32_t number : {18020, 18021, 18022, 18023}) {
        const QCursor cursor = resource(number);
        ASSERT_EQ(cursor.shape(), Qt::BitmapCursor) << number;
        EXPECT_EQ(cursor.hotSpot(), QPoint(16, 16)) << number;
        arrows.push_back(cursor.pixmap().toImage());
    }
    for (std::size_t a = 0; a < arrows.size(); ++a) {
        for (std::size_t b = a + 1; b < arrows.size(); ++b) EXPECT_NE(arrows[a], arrows[b]);
    }
    // The up arrow's tip is at the top: black pixels near the top middle, none at the bottom tip.
    const QImage& up = arrows[0];
    EXPECT_EQ(up.pixelColor(16, 6).alpha(), 255);
    EXPECT_EQ(up.pixelColor(16, 6).black(), 255);
    EXPECT_EQ(up.pixelColor(26, 26).alpha(), 0);
}

TEST(SingleInstance, ASecondStartHandsItsCommandLineToTheFirst) {
    const std::string instance = "Test show " + std::to_string(getpid());
    const QString name = SingleInstance::ServerName(instance);
    const std::vector<std::string> nobody = {"nobody listens"};
    EXPECT_FALSE(SingleInstance::HandOver(name, nobody));

    std::vector<std::vector<std::string>> received;
    SingleInstance first;
    ASSERT_TRUE(first.Listen(
        name, [&received](std::vector<std::string> arguments) { received.push_back(arguments); }));
    SingleInstance rival;
    EXPECT_FALSE(rival.Listen(name, {}));  // the name is taken while the first runs

    // Exactly as given: spaces, quotes, an empty argument and names outside the code page.
    const std::vector<std::string> arguments = {"/tmp/\xD0\xA8\xD0\xBE\xD1\x83 show/other.vkd",
                                                "ZAZA|SA:,Intro", "", "say \"caf\xC3\xA9\""};
    ASSERT_TRUE(SingleInstance::HandOver(name, arguments));
    QElapsedTimer waited;
    waited.start();
    while (received.empty() && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], arguments);
}

}  // namespace
}  // namespace velk::desktop

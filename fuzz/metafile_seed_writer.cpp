// Writes the seed corpus of the metafile player: metafiles of every record family the player
// knows, made by the tests' own metafile writer.
// Usage: metafile_seed_writer CORPUS_DIR (the stamp file CORPUS_DIR/metafile_seeds.stamp is
// written last).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "emf_test_writer.h"

namespace {

namespace fs = std::filesystem;
using velk::test::TestEmf;

void Write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TestEmf Shapes() {
    TestEmf e(40, 30);
    e.CreatePen(1, 0, 3, 0x0000FF).Select(1).CreateBrush(2, 2, 0x00FF00, 5).Select(2);
    e.Rectangle(1, 1, 20, 15).Ellipse(5, 5, 30, 25).Add(44, {2, 2, 30, 20, 6, 6});
    e.Add(45, {0, 0, 20, 20, 20, 10, 10, 0}).Add(46, {5, 5, 25, 25, 25, 15, 5, 15});
    e.Add(47, {5, 5, 25, 25, 5, 15, 25, 15}).Add(55, {0, 0, 10, 10, 10, 5, 5, 0});
    e.Add(41, {15, 15, 8, TestEmf::F(30), TestEmf::F(200)}).Add(15, {3, 3, 0x123456});
    return e;
}

TestEmf Lines() {
    TestEmf e(40, 30);
    e.SetRop2(7).MoveTo(1, 1).LineTo(30, 20);
    e.Poly(4, {{0, 0}, {10, 20}, {20, 5}}).Poly(4, {{1, 1}, {9, 9}}, true);
    e.Poly(6, {{5, 25}, {35, 5}}).Poly(2, {{0, 0}, {10, 30}, {30, -10}, {40, 20}});
    e.Poly(5, {{5, 5}, {10, 10}, {15, 5}}, true);
    e.Add(8, {0, 0, 0, 0, 2, 6, 3, 3, 0, 0, 10, 0, 5, 10, 2, 2, 8, 2, 5, 8});
    e.Add(91,
          {0, 0, 0, 0, 2, 6, 3, 3, 0, 0x0A0000, 0x000A0005, 0x00020002, 0x00020008, 0x00080005});
    e.Add(7, {0, 0, 0, 0, 2, 4, 2, 2, 0, 0, 10, 10, 10, 0, 0, 10});
    return e;
}

TestEmf Mappings() {
    TestEmf e(40, 30);
    e.SaveDc().SetMapMode(8).WindowExt(100, 100).ViewportExt(40, -30).ViewportOrg(0, 30);
    e.Add(31, {2, 1, 3, 2}).Add(32, {1, 2, 1, 1}).Rectangle(10, 10, 50, 50);
    e.RestoreDc(-1).SetMapMode(7).WindowExt(10, 10).ViewportExt(30, 20).Ellipse(0, 0, 10, 10);
    e.SetMapMode(3).Rectangle(0, 0, 500, -500).SetMapMode(6).Rectangle(0, 0, 200, -200);
    e.WorldTransform(0.7f, 0.7f, -0.7f, 0.7f, 20, 0).Rectangle(0, 0, 10, 10);
    e.Add(36, {TestEmf::F(1), 0, 0, TestEmf::F(2), 0, 0, 2}).Ellipse(0, 0, 10, 10);
    return e;
}

TestEmf PathsAndClips() {
    TestEmf e(40, 30);
    e.BeginPath().MoveTo(2, 2).LineTo(30, 4).Add(
        88, {0, 0, 0, 0, 3, 0x00140028, 0x0028000A, 0x001E0002});
    e.CloseFigure().EndPath().SetPolyFillMode(2).Add(63, {0, 0, 0, 0});
    e.BeginPath().Ellipse(0, 0, 20, 20).EndPath().SelectClipPath(1);
    e.IntersectClipRect(0, 0, 30, 30).ExcludeClipRect(5, 5, 8, 8).Add(26, {2, 3});
    e.Add(75, {48, 2, 32, 1, 1, 16, 0, 0, 10, 10, 0, 0, 10, 10}).Rectangle(0, 0, 40, 30);
    e.Add(71, {0, 0, 0, 0, 48, 0x80000004, 32, 1, 1, 16, 0, 0, 4, 4, 0, 0, 4, 4});
    e.BeginPath().Rectangle(1, 1, 9, 9).Add(66, {}).Add(65, {}).EndPath().StrokePath();
    e.BeginPath().Rectangle(1, 1, 9, 9).Add(68, {});
    return e;
}

TestEmf TextAndPictures() {
    TestEmf e(40, 30);
    e.CreateFont(1, -12, "Arial", 700).Select(1).SetTextColor(0x0000FF).SetBkColor(0xFFFF00);
    e.TextOutW(2, 2, "Hi!").TextOutW(2, 14, "ab", {9, 9}, 0x6, {0, 12, 20, 24});
    e.SetTextAlign(6 | 24).TextOutW(20, 28, "x");
    e.StretchDiBits(20, 0, 20, 15, 2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
    e.StretchDiBits(20, 15, -20, 15, 2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}, 0x8800C6);
    e.Add(76, {0, 0, 0, 0, 1, 1, 5, 5, 0xF00021, 0, 0, TestEmf::F(1), 0, 0, TestEmf::F(1),
               0, 0, 0, 0, 0, 0, 0, 0});
    return e;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: metafile_seed_writer CORPUS_DIR\n");
        return 2;
    }
    const fs::path root(argv[1]);
    const fs::path dir = root / "metafile_player";
    fs::create_directories(dir);
    Write(dir / "shapes.emf", Shapes().Bytes());
    Write(dir / "lines.emf", Lines().Bytes());
    Write(dir / "mappings.emf", Mappings().Bytes());
    Write(dir / "paths_clips.emf", PathsAndClips().Bytes());
    Write(dir / "text_pictures.emf", TextAndPictures().Bytes());
    Write(dir / "no_eof.emf", Shapes().Bytes(false));
    Write(root / "metafile_seeds.stamp", {});
    return 0;
}

// Writes enhanced metafiles record by record for the tests and the fuzz seeds, so that every
// metafile a test plays is spelled out in the test.
//
// The reference device is 1000 x 1000 pixels on 1000 x 1000 millimetres, so one pixel is one
// millimetre and a frame of w x h pixels is w * 100 x h * 100 hundredths of a millimetre:
// played into a rectangle of w x h pixels, a logical unit of MM_TEXT is one pixel of the page.
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace velk::test {

class TestEmf {
  public:
    // A picture of width x height pixels with `handles` entries in its object table.
    explicit TestEmf(std::int32_t width = 20, std::int32_t height = 20, std::uint16_t handles = 8)
        : width_(width), height_(height), handles_(handles) {}

    // A record of 32-bit fields.
    TestEmf& Add(std::uint32_t type, std::initializer_list<std::uint32_t> fields) {
        return Add(type, std::vector<std::uint32_t>(fields));
    }
    TestEmf& Add(std::uint32_t type, const std::vector<std::uint32_t>& fields) {
        std::vector<std::uint8_t> body;
        for (std::uint32_t f : fields) Put(body, f);
        return AddBytes(type, body);
    }
    // A record with the given bytes after its type and size (padded to 4 bytes).
    TestEmf& AddBytes(std::uint32_t type, std::vector<std::uint8_t> body) {
        while (body.size() % 4) body.push_back(0);
        std::vector<std::uint8_t> record;
        Put(record, type);
        Put(record, static_cast<std::uint32_t>(body.size() + 8));
        record.insert(record.end(), body.begin(), body.end());
        records_.push_back(std::move(record));
        return *this;
    }
    // Raw bytes appended as they are (for damaged streams).
    TestEmf& AddRaw(std::vector<std::uint8_t> bytes) {
        records_.push_back(std::move(bytes));
        return *this;
    }

    // --- Records by name ------------------------------------------------------------------
    TestEmf& SetMapMode(std::uint32_t mode) { return Add(17, {mode}); }
    TestEmf& WindowOrg(std::int32_t x, std::int32_t y) { return Add(10, {U(x), U(y)}); }
    TestEmf& WindowExt(std::int32_t x, std::int32_t y) { return Add(9, {U(x), U(y)}); }
    TestEmf& ViewportOrg(std::int32_t x, std::int32_t y) { return Add(12, {U(x), U(y)}); }
    TestEmf& ViewportExt(std::int32_t x, std::int32_t y) { return Add(11, {U(x), U(y)}); }
    TestEmf& WorldTransform(float m11, float m12, float m21, float m22, float dx, float dy) {
        return Add(35, {F(m11), F(m12), F(m21), F(m22), F(dx), F(dy)});
    }
    TestEmf& SaveDc() { return Add(33, {}); }
    TestEmf& RestoreDc(std::int32_t level) { return Add(34, {U(level)}); }
    TestEmf& SetBkMode(std::uint32_t mode) { return Add(18, {mode}); }
    TestEmf& SetBkColor(std::uint32_t colorref) { return Add(25, {colorref}); }
    TestEmf& SetTextColor(std::uint32_t colorref) { return Add(24, {colorref}); }
    TestEmf& SetTextAlign(std::uint32_t align) { return Add(22, {align}); }
    TestEmf& SetPolyFillMode(std::uint32_t mode) { return Add(19, {mode}); }
    TestEmf& SetRop2(std::uint32_t rop) { return Add(20, {rop}); }
    TestEmf& CreatePen(std::uint32_t index, std::uint32_t style, std::int32_t width,
                       std::uint32_t colorref) {
        return Add(38, {index, style, U(width), 0, colorref});
    }
    TestEmf& CreateBrush(std::uint32_t index, std::uint32_t style, std::uint32_t colorref,
                         std::uint32_t hatch = 0) {
        return Add(39, {index, style, colorref, hatch});
    }
    TestEmf& Select(std::uint32_t index) { return Add(37, {index}); }
    TestEmf& Delete(std::uint32_t index) { return Add(40, {index}); }
    TestEmf& Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
        return Add(43, {U(l), U(t), U(r), U(b)});
    }
    TestEmf& Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
        return Add(42, {U(l), U(t), U(r), U(b)});
    }
    TestEmf& MoveTo(std::int32_t x, std::int32_t y) { return Add(27, {U(x), U(y)}); }
    TestEmf& LineTo(std::int32_t x, std::int32_t y) { return Add(54, {U(x), U(y)}); }
    // Polygon (3), Polyline (4), PolyBezier (2) ... with 32-bit points; their 16-bit forms
    // (type + 83) with `narrow`.
    TestEmf& Poly(std::uint32_t type, const std::vector<std::pair<int, int>>& points,
                  bool narrow = false) {
        std::vector<std::uint32_t> f{0, 0, 0, 0, static_cast<std::uint32_t>(points.size())};
        if (narrow) {
            for (auto [x, y] : points) f.push_back((U(x) & 0xFFFF) | (U(y) << 16));
            return Add(type + 83, f);
        }
        for (auto [x, y] : points) f.insert(f.end(), {U(x), U(y)});
        return Add(type, f);
    }
    TestEmf& IntersectClipRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
        return Add(30, {U(l), U(t), U(r), U(b)});
    }
    TestEmf& ExcludeClipRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
        return Add(29, {U(l), U(t), U(r), U(b)});
    }
    TestEmf& BeginPath() { return Add(59, {}); }
    TestEmf& EndPath() { return Add(60, {}); }
    TestEmf& CloseFigure() { return Add(61, {}); }
    TestEmf& FillPath() { return Add(62, {0, 0, 0, 0}); }
    TestEmf& StrokePath() { return Add(64, {0, 0, 0, 0}); }
    TestEmf& SelectClipPath(std::uint32_t mode) { return Add(67, {mode}); }
    // A font of `height` logical units (negative: the em height) and a face name.
    TestEmf& CreateFont(std::uint32_t index, std::int32_t height, const std::string& face,
                        std::int32_t weight = 400) {
        std::vector<std::uint8_t> body;
        for (std::uint32_t v : {index, U(height), 0u, 0u, 0u, U(weight)}) Put(body, v);
        body.insert(body.end(), {0, 0, 0, 0, 0, 0, 0, 0});
        for (int i = 0; i < 32; ++i) {
            const char16_t c = i < int(face.size()) ? char16_t(face[std::size_t(i)]) : 0;
            body.push_back(std::uint8_t(c));
            body.push_back(std::uint8_t(c >> 8));
        }
        return AddBytes(82, body);
    }
    // ExtTextOutW at (x, y) with options, an opaque/clip rectangle and per-character advances.
    TestEmf& TextOutW(std::int32_t x, std::int32_t y, const std::string& text,
                      const std::vector<std::int32_t>& dx = {}, std::uint32_t options = 0,
                      std::vector<std::int32_t> rect = {0, 0, 0, 0}) {
        const std::uint32_t fixed = 76;
        const std::uint32_t string_bytes = (std::uint32_t(text.size()) * 2 + 3) / 4 * 4;
        std::vector<std::uint32_t> f{
            0, 0, 0, 0, 1, F(1), F(1), U(x), U(y), std::uint32_t(text.size()), fixed, options};
        for (std::int32_t v : rect) f.push_back(U(v));
        f.push_back(dx.empty() ? 0 : fixed + string_bytes);
        std::vector<std::uint8_t> body;
        for (std::uint32_t v : f) Put(body, v);
        for (char c : text) body.insert(body.end(), {std::uint8_t(c), 0});
        while (body.size() % 4) body.push_back(0);
        for (std::int32_t d : dx) Put(body, U(d));
        return AddBytes(84, body);
    }
    // StretchDIBits of a 32-bit top-down picture (`pixels` as 0x00RRGGBB, rows top to bottom)
    // onto (x, y, width, height), SRCCOPY.
    TestEmf& StretchDiBits(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                           std::int32_t dib_width, std::int32_t dib_height,
                           const std::vector<std::uint32_t>& pixels, std::uint32_t rop = 0xCC0020) {
        const std::uint32_t fixed = 80, info = 40;
        std::vector<std::uint32_t> f{0,
                                     0,
                                     0,
                                     0,
                                     U(x),
                                     U(y),
                                     0,
                                     0,
                                     U(dib_width),
                                     U(dib_height),
                                     fixed,
                                     info,
                                     fixed + info,
                                     std::uint32_t(pixels.size() * 4),
                                     0,
                                     rop,
                                     U(width),
                                     U(height)};
        // BITMAPINFOHEADER: a negative height stores the rows top-down.
        const std::vector<std::uint32_t> header{
            40, U(dib_width), U(-dib_height), 1u | (32u << 16), 0, 0, 0, 0, 0, 0};
        f.insert(f.end(), header.begin(), header.end());
        f.insert(f.end(), pixels.begin(), pixels.end());
        return Add(81, f);
    }

    // The metafile: the header (with the final counts), the records, the end-of-file record.
    std::vector<std::uint8_t> Bytes(bool with_eof = true) const {
        std::vector<std::vector<std::uint8_t>> all = records_;
        if (with_eof) {
            std::vector<std::uint8_t> eof;
            for (std::uint32_t v : {14u, 20u, 0u, 16u, 20u}) Put(eof, v);
            all.push_back(eof);
        }
        std::uint32_t total = 88;
        for (const auto& r : all) total += static_cast<std::uint32_t>(r.size());
        std::vector<std::uint8_t> out;
        for (std::uint32_t v :
             {1u, 88u, 0u, 0u, U(width_ - 1), U(height_ - 1), 0u, 0u, U(width_ * 100),
              U(height_ * 100), 0x464D4520u, 0x10000u, total, std::uint32_t(all.size() + 1)}) {
            Put(out, v);
        }
        out.push_back(std::uint8_t(handles_));
        out.push_back(std::uint8_t(handles_ >> 8));
        out.insert(out.end(), {0, 0});
        for (std::uint32_t v : {0u, 0u, 0u, 1000u, 1000u, 1000u, 1000u}) Put(out, v);
        for (const auto& r : all) out.insert(out.end(), r.begin(), r.end());
        return out;
    }

    static std::uint32_t U(std::int32_t v) { return static_cast<std::uint32_t>(v); }
    static std::uint32_t F(float v) { return std::bit_cast<std::uint32_t>(v); }

  private:
    static void Put(std::vector<std::uint8_t>& out, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }

    std::int32_t width_, height_;
    std::uint16_t handles_;
    std::vector<std::vector<std::uint8_t>> records_;
};

}  // namespace velk::test

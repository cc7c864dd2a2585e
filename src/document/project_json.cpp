#include "document/project_json.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "base/codepage.h"
#include "codec/jpeg_codec.h"
#include "codec/limits.h"
#include "codec/png_codec.h"
#include "codec/zlib_codec.h"
#include "document/action_fields.h"
#include "document/header_fields.h"
#include "document/object_fields.h"
#include "document/object_io.h"
#include "document/page_fields.h"

namespace velk {
namespace {

// ---------------------------------------------------------------------------------------------
// Shared vocabulary

// Fresh objects take their font from the settings; a description is independent of any
// machine's settings, so its defaults are those of an empty profile.
class EmptyProfile : public host::ProfileStore {
  public:
    std::optional<std::string> ReadString(std::string_view, std::string_view) const override {
        return std::nullopt;
    }
    void WriteString(std::string_view, std::string_view, std::string_view) override {}
};

Object DefaultObject() {
    EmptyProfile profile;
    return MakeObject(profile);
}

constexpr std::pair<PictureCoding, std::string_view> kCodingNames[] = {
    {PictureCoding::kPlain, "plain"}, {PictureCoding::kStored, "stored"},
    {PictureCoding::kZlib, "zlib"},   {PictureCoding::kJpegRaw, "jpeg_raw"},
    {PictureCoding::kJpeg, "jpeg"},   {PictureCoding::kRaw, "raw"},
};

std::string_view CodingName(PictureCoding coding) {
    for (const auto& [value, name] : kCodingNames) {
        if (value == coding) return name;
    }
    return "plain";
}

// Byte count of a w x h RGB picture, or 0 when it is empty or beyond what the format holds.
std::uint64_t RgbBytes(std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return 0;
    std::uint64_t n = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 3;
    return n <= kMaxPictureBytes ? n : 0;
}

// The `size` a picture gets when the description leaves it out: the byte count of a stored
// picture, the pixel count of a zlib picture made from an image file, nothing otherwise.
std::uint32_t DefaultPictureSize(PictureCoding coding, std::size_t byte_count, std::int32_t width,
                                 std::int32_t height, bool from_image) {
    switch (coding) {
        case PictureCoding::kStored:
            return static_cast<std::uint32_t>(byte_count);
        case PictureCoding::kZlib:
            return from_image ? static_cast<std::uint32_t>(RgbBytes(width, height)) : 0;
        default:
            return 0;
    }
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The extension of the last path component, lower case, with its dot ("" when none).
std::string Extension(std::string_view path) {
    std::size_t slash = path.find_last_of("/\\");
    std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::size_t dot = base.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return "";
    return Lower(base.substr(dot));
}

// An embedded file's name reduced to a harmless base name for the dump folder.
std::string BlobBaseName(std::string_view file_name, std::size_t index) {
    std::size_t slash = file_name.find_last_of("/\\:");
    std::string_view base =
        slash == std::string_view::npos ? file_name : file_name.substr(slash + 1);
    std::string out;
    for (char c : base) {
        bool keep = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
        out += keep && static_cast<unsigned char>(c) < 0x80 ? c : '_';
    }
    out.erase(0, out.find_first_not_of('.'));
    if (out.empty()) out = "file" + std::to_string(index);
    return out;
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::uint8_t b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// ---------------------------------------------------------------------------------------------
// Field tables: the stored records' lists (header_fields.h, page_fields.h, object_fields.h,
// action_fields.h) as the description reads and writes them.

// A byte buffer of a record that goes to a file of its own.
template <class T>
struct BlobMember {
    std::vector<std::uint8_t> T::*member;
};

// Every record's byte buffers are files of their own.
template <class T, class M>
M T::*JsonMember(M T::*member) {
    return member;
}

template <class T>
BlobMember<T> JsonMember(std::vector<std::uint8_t> T::*member) {
    return BlobMember<T>{member};
}

// A field list as the description sees it: every field of every version, stored or not, each
// handed to `fn(name, member, emit)`.
template <class Fn>
class JsonFields {
  public:
    explicit JsonFields(Fn& fn) : fn_(fn) {}

    template <class T, class M>
    void operator()(const char* name, M T::*member, Emit emit = Emit::kNormal) {
        fn_(name, JsonMember(member), emit);
    }
    template <class T, class M, FieldCodec C>
    void operator()(const char* name, M T::*member, C, Emit emit = Emit::kNormal) {
        fn_(name, JsonMember(member), emit);
    }
    template <class T, class M>
    void InJson(const char* name, M T::*member, Emit emit = Emit::kNormal) {
        fn_(name, JsonMember(member), emit);
    }
    template <class Words>
    void Unused(Words) {}
    template <class Conversion>
    void OnRead(Conversion) {}
    bool VersionAbove(std::int32_t) const { return true; }
    template <class Predicate>
    bool When(Predicate) const {
        return true;
    }

  private:
    Fn& fn_;
};

template <class T, class Fn>
void VisitJsonFields(Fn&& fn) {
    JsonFields<std::remove_reference_t<Fn>> fields(fn);
    VisitFields(RecordTag<T>{}, fields);
}

template <class T, class M>
std::ptrdiff_t MemberOffset(const T& record, M T::*member) {
    return reinterpret_cast<const char*>(&(record.*member)) -
           reinterpret_cast<const char*>(&record);
}

template <class T>
std::ptrdiff_t MemberOffset(const T& record, BlobMember<T> blob) {
    return MemberOffset(record, blob.member);
}

// The description shows a record's fields in the order the model declares them, which is the
// order of their addresses; the lists give them in the order the file stores them.
template <class T, class Fn>
void VisitJsonFieldsInModelOrder(const T& record, Fn&& fn) {
    // Each visit captures no more than the function and the member, which std::function keeps
    // without allocating.
    struct Field {
        std::ptrdiff_t offset;
        const char* name;
        Emit emit;
        std::function<void(const char*, Emit)> visit;
    };
    std::vector<Field> fields;
    VisitJsonFields<T>([&](const char* name, auto member, Emit emit) {
        fields.push_back({MemberOffset(record, member), name, emit,
                          [&fn, member](const char* n, Emit e) { fn(n, member, e); }});
    });
    std::vector<std::size_t> order(fields.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return fields[a].offset < fields[b].offset; });
    for (std::size_t i : order) fields[i].visit(fields[i].name, fields[i].emit);
}

template <class T>
bool HasField(std::string_view key) {
    bool found = false;
    VisitJsonFields<T>([&](const char* name, auto, Emit) { found |= key == name; });
    return found;
}

// ---------------------------------------------------------------------------------------------
// Model to description

struct WriteContext {
    BlobSink& sink;
    // Start of the names of this record's files, e.g. "blobs/page0_object3_".
    std::string prefix;
    const Object& object_default;
    bool omit_defaults = false;
    const ScriptCodec* scripts = nullptr;

    WriteContext Nested(std::string more) const {
        return WriteContext{sink, prefix + std::move(more), object_default, omit_defaults, scripts};
    }
    bool Skip(Emit emit, bool is_default) const {
        return is_default && (emit == Emit::kSparse || (emit == Emit::kNormal && omit_defaults));
    }
    // A file for `bytes`, or null when there are none.
    Json Blob(const std::string& name, std::span<const std::uint8_t> bytes) const {
        if (bytes.empty()) return nullptr;
        return sink.Store(prefix + name, bytes);
    }
};

template <class T>
Json WriteRecord(const T& value, const T& defaults, const WriteContext& ctx);

Json ToJson(std::int32_t v, std::int32_t, const WriteContext&, const char*) {
    return v;
}
Json ToJson(std::uint32_t v, std::uint32_t, const WriteContext&, const char*) {
    return v;
}
Json ToJson(std::uint8_t v, std::uint8_t, const WriteContext&, const char*) {
    return v;
}
Json ToJson(bool v, bool, const WriteContext&, const char*) {
    return v;
}

// Non-finite values have no JSON number: they are written as the hex digits of their bits.
Json ToJson(double v, double, const WriteContext&, const char*) {
    if (std::isfinite(v)) return v;
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llx",
                  static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(v)));
    return std::string(text);
}

Json ToJson(const std::string& v, const std::string&, const WriteContext&, const char*) {
    return Cp1252ToUtf8(v);
}

Json ToJson(const Rect& r, const Rect&, const WriteContext&, const char*) {
    return Json::array({r.left, r.top, r.right, r.bottom});
}

Json ToJson(const Point& p, const Point&, const WriteContext&, const char*) {
    return Json::array({p.x, p.y});
}

Json ToJson(const std::vector<Point>& points, const std::vector<Point>&, const WriteContext&,
            const char*) {
    Json out = Json::array();
    for (const Point& p : points) out.push_back(Json::array({p.x, p.y}));
    return out;
}

Json ToJson(const std::int32_t (&pair)[2], const std::int32_t (&)[2], const WriteContext&,
            const char*) {
    return Json::array({pair[0], pair[1]});
}

Json ToJson(const std::vector<std::string>& lines, const std::vector<std::string>&,
            const WriteContext&, const char*) {
    Json out = Json::array();
    for (const auto& line : lines) out.push_back(Cp1252ToUtf8(line));
    return out;
}

// The pixels of a non-JPEG picture when a PNG holds them exactly; otherwise the stored bytes
// are kept as they are (a damaged zlib stream, a byte count that does not match the size).
std::optional<RgbImage> ExactImage(const Picture& picture) {
    std::uint64_t n = RgbBytes(picture.width, picture.height);
    if (n == 0) return std::nullopt;
    RgbImage image{picture.width, picture.height, {}};
    if (picture.coding == PictureCoding::kZlib) {
        if (picture.size != n || !PlausibleInflatedSize(n, picture.bytes.size())) {
            return std::nullopt;
        }
        InflateResult inflated = Inflate(picture.bytes, n);
        if (!inflated.ok || inflated.bytes.size() != n) return std::nullopt;
        image.pixels = std::move(inflated.bytes);
    } else {
        if (picture.bytes.size() != n) return std::nullopt;
        image.pixels = picture.bytes;
    }
    return image;
}

Json PictureToJson(const Picture& picture, const std::string& base_name, BlobSink& sink,
                   bool omit_defaults) {
    Json out = Json::object();
    bool from_image = false;
    std::string file;
    if (picture.coding == PictureCoding::kJpeg) {
        file = sink.Store(base_name + ".jpg", picture.bytes);
    } else if (auto image = ExactImage(picture)) {
        file = sink.Store(base_name + ".png", EncodePng(*image));
        from_image = true;
    } else {
        file = sink.Store(base_name + ".bin", picture.bytes);
    }
    out["file"] = file;
    out["coding"] = CodingName(picture.coding);
    out["width"] = picture.width;
    out["height"] = picture.height;
    if (!omit_defaults ||
        picture.size != DefaultPictureSize(picture.coding, picture.bytes.size(), picture.width,
                                           picture.height, from_image)) {
        out["size"] = picture.size;
    }
    return out;
}

Json ToJson(const std::optional<Picture>& picture, const std::optional<Picture>&,
            const WriteContext& ctx, const char* name) {
    if (!picture) return nullptr;
    return PictureToJson(*picture, ctx.prefix + name, ctx.sink, ctx.omit_defaults);
}

Json ToJson(const std::optional<StoredMetafile>& metafile, const std::optional<StoredMetafile>&,
            const WriteContext& ctx, const char* name) {
    if (!metafile) return nullptr;
    Json out = Json::object();
    out["header"] = HexBytes(metafile->header);
    out["data"] = ctx.Blob(std::string(name) + ".emf", metafile->data);
    return out;
}

// A list is its script text when the compiler makes exactly these records of some text;
// otherwise a plain array of records, the object form only when its end marker is unusual.
Json ToJson(const ActionList& list, const ActionList&, const WriteContext& ctx, const char*) {
    if (ctx.scripts != nullptr) {
        if (auto text = ctx.scripts->Decompile(list)) return Cp1252ToUtf8(*text);
    }
    Json records = Json::array();
    for (const ActionRecord& record : list.records) {
        records.push_back(WriteRecord(record, ActionRecord{}, ctx));
    }
    if (list.end_marker == ActionList{}.end_marker) return records;
    Json out = Json::object();
    out["records"] = std::move(records);
    out["end_marker"] = list.end_marker;
    return out;
}

Json ToJson(const LogFont& font, const LogFont& defaults, const WriteContext& ctx, const char*) {
    return WriteRecord(font, defaults, ctx);
}

Json ToJson(const TransitionMask& mask, const TransitionMask&, const WriteContext& ctx,
            const char* name) {
    Json out = Json::object();
    bool full = !ctx.omit_defaults;
    if (full || mask.size != mask.bytes.size()) out["size"] = mask.size;
    if (full || mask.compressed) out["compressed"] = mask.compressed;
    if (full || !mask.bytes.empty())
        out["bytes"] = ctx.Blob(std::string(name) + ".bin", mask.bytes);
    return out;
}

Json ToJson(const std::vector<Object>& objects, const std::vector<Object>&, const WriteContext& ctx,
            const char*) {
    Json out = Json::array();
    for (std::size_t i = 0; i < objects.size(); ++i) {
        WriteContext nested = ctx.Nested("object" + std::to_string(i) + "_");
        out.push_back(WriteRecord(objects[i], ctx.object_default, nested));
    }
    return out;
}

template <class T, class U>
void WriteMember(Json& out, const char* name, const T& value, const T& defaults, U T::*member,
                 const WriteContext& ctx, Emit emit) {
    if (ctx.Skip(emit, value.*member == defaults.*member)) return;
    out[name] = ToJson(value.*member, defaults.*member, ctx, name);
}

template <class T>
void WriteMember(Json& out, const char* name, const T& value, const T& defaults,
                 std::int32_t (T::*member)[2], const WriteContext& ctx, Emit emit) {
    const auto& a = value.*member;
    const auto& b = defaults.*member;
    if (ctx.Skip(emit, a[0] == b[0] && a[1] == b[1])) return;
    out[name] = ToJson(a, b, ctx, name);
}

template <class T>
void WriteMember(Json& out, const char* name, const T& value, const T&, BlobMember<T> blob,
                 const WriteContext& ctx, Emit emit) {
    const auto& bytes = value.*(blob.member);
    if (ctx.Skip(emit, bytes.empty())) return;
    out[name] = ctx.Blob(std::string(name) + ".bin", bytes);
}

template <class T>
Json WriteRecord(const T& value, const T& defaults, const WriteContext& ctx) {
    Json out = Json::object();
    VisitJsonFieldsInModelOrder(value, [&](const char* name, auto member, Emit emit) {
        WriteMember(out, name, value, defaults, member, ctx, emit);
    });
    return out;
}

Json EmbeddedFileToJson(const EmbeddedFile& file, std::size_t index, BlobSink& sink,
                        bool omit_defaults) {
    Json out = Json::object();
    out["file_type"] = file.file_type;
    out["file_name"] = Cp1252ToUtf8(file.file_name);
    if (!omit_defaults || file.compressed) out["compressed"] = file.compressed;
    if (!omit_defaults || !file.data.empty()) {
        out["data"] =
            file.data.empty()
                ? Json(nullptr)
                : Json(sink.Store("embedded/" + BlobBaseName(file.file_name, index), file.data));
    }
    if (!omit_defaults || file.size != file.data.size()) out["size"] = file.size;
    return out;
}

// ---------------------------------------------------------------------------------------------
// Description to model

class DescriptionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::string& path, std::string_view message) {
    throw DescriptionError((path.empty() ? std::string("(top)") : path) + ": " +
                           std::string(message));
}

std::string Child(const std::string& path, std::string_view key) {
    return path.empty() ? std::string(key) : path + "." + std::string(key);
}

std::string Index(const std::string& path, std::size_t i) {
    return path + "[" + std::to_string(i) + "]";
}

struct ReadContext {
    const BlobSource& blobs;
    const Object& object_default;
    const ScriptCodec* scripts = nullptr;
};

void RequireObject(const Json& j, const std::string& path) {
    if (!j.is_object()) Fail(path, "expected an object");
}

// Reports the first key of `j` that `known` does not accept.
template <class Known>
void RejectUnknownKeys(const Json& j, const std::string& path, Known known) {
    for (const auto& item : j.items()) {
        if (!known(item.key())) Fail(Child(path, item.key()), "unknown key");
    }
}

bool IntegerValue(const Json& j, std::int64_t low, std::int64_t high, std::int64_t& out) {
    if (j.is_number_unsigned()) {
        auto u = j.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(high) || static_cast<std::int64_t>(u) < low) {
            return false;
        }
        out = static_cast<std::int64_t>(u);
        return true;
    }
    if (j.is_number_integer()) {
        auto v = j.get<std::int64_t>();
        if (v < low || v > high) return false;
        out = v;
        return true;
    }
    return false;
}

template <class Int>
Int ReadInteger(const Json& j, const std::string& path) {
    constexpr std::int64_t low = std::numeric_limits<Int>::min();
    constexpr std::int64_t high = std::numeric_limits<Int>::max();
    std::int64_t value = 0;
    if (!IntegerValue(j, low, high, value)) {
        Fail(path,
             "expected an integer from " + std::to_string(low) + " to " + std::to_string(high));
    }
    return static_cast<Int>(value);
}

std::string ReadText(const Json& j, const std::string& path) {
    if (!j.is_string()) Fail(path, "expected a string");
    return j.get<std::string>();
}

// A file's bytes; null stands for none.
std::vector<std::uint8_t> ReadBlob(const Json& j, const std::string& path, const ReadContext& ctx) {
    if (j.is_null()) return {};
    std::string file = ReadText(j, path);
    auto bytes = ctx.blobs.Load(file);
    if (!bytes) Fail(path, "cannot read the file \"" + file + "\"");
    return std::move(*bytes);
}

template <class T>
void ReadRecord(const Json& j, const std::string& path, T& out, const ReadContext& ctx);

void FromJson(const Json& j, const std::string& path, std::int32_t& out, const ReadContext&) {
    out = ReadInteger<std::int32_t>(j, path);
}
void FromJson(const Json& j, const std::string& path, std::uint32_t& out, const ReadContext&) {
    out = ReadInteger<std::uint32_t>(j, path);
}
void FromJson(const Json& j, const std::string& path, std::uint8_t& out, const ReadContext&) {
    out = ReadInteger<std::uint8_t>(j, path);
}
void FromJson(const Json& j, const std::string& path, bool& out, const ReadContext&) {
    if (!j.is_boolean()) Fail(path, "expected true or false");
    out = j.get<bool>();
}

void FromJson(const Json& j, const std::string& path, double& out, const ReadContext&) {
    if (j.is_number()) {
        out = j.get<double>();
        return;
    }
    // The bit pattern form written for values that JSON numbers cannot hold.
    if (j.is_string()) {
        const std::string& text = j.get_ref<const std::string&>();
        if (text.size() == 18 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
            std::uint64_t bits = 0;
            bool ok = true;
            for (std::size_t i = 2; i < text.size(); ++i) {
                int d = HexDigit(text[i]);
                ok &= d >= 0;
                bits = (bits << 4) | static_cast<std::uint64_t>(d & 15);
            }
            if (ok) {
                out = std::bit_cast<double>(bits);
                return;
            }
        }
    }
    Fail(path, "expected a number");
}

void FromJson(const Json& j, const std::string& path, std::string& out, const ReadContext&) {
    out = Utf8ToCp1252(ReadText(j, path));
}

// `count` integers of type i32 from a JSON list.
template <std::size_t count>
std::array<std::int32_t, count> ReadIntegers(const Json& j, const std::string& path) {
    static const std::string expectation = "expected " + std::to_string(count) + " integers";
    if (!j.is_array() || j.size() != count) Fail(path, expectation);
    std::array<std::int32_t, count> values{};
    for (std::size_t i = 0; i < count; ++i) {
        std::int64_t v = 0;
        if (!IntegerValue(j[i], std::numeric_limits<std::int32_t>::min(),
                          std::numeric_limits<std::int32_t>::max(), v)) {
            Fail(path, expectation);
        }
        values[i] = static_cast<std::int32_t>(v);
    }
    return values;
}

void FromJson(const Json& j, const std::string& path, Rect& out, const ReadContext&) {
    auto v = ReadIntegers<4>(j, path);
    out = Rect{v[0], v[1], v[2], v[3]};
}

void FromJson(const Json& j, const std::string& path, Point& out, const ReadContext&) {
    auto v = ReadIntegers<2>(j, path);
    out = Point{v[0], v[1]};
}

void FromJson(const Json& j, const std::string& path, std::int32_t (&out)[2], const ReadContext&) {
    auto v = ReadIntegers<2>(j, path);
    out[0] = v[0];
    out[1] = v[1];
}

void FromJson(const Json& j, const std::string& path, std::vector<Point>& out,
              const ReadContext& ctx) {
    if (!j.is_array()) Fail(path, "expected a list of [x, y] points");
    out.assign(j.size(), Point{});
    for (std::size_t i = 0; i < j.size(); ++i) FromJson(j[i], Index(path, i), out[i], ctx);
}

void FromJson(const Json& j, const std::string& path, std::vector<std::string>& out,
              const ReadContext& ctx) {
    if (!j.is_array()) Fail(path, "expected a list of strings");
    out.assign(j.size(), std::string());
    for (std::size_t i = 0; i < j.size(); ++i) FromJson(j[i], Index(path, i), out[i], ctx);
}

PictureCoding ReadCoding(const Json& j, const std::string& path) {
    std::string name = ReadText(j, path);
    for (const auto& [value, coding_name] : kCodingNames) {
        if (name == coding_name) return value;
    }
    Fail(path, "expected one of \"plain\", \"stored\", \"zlib\", \"jpeg_raw\", \"jpeg\", \"raw\"");
}

// A picture from a description: a file name alone, or an object with the stored form.
Picture ReadPicture(const Json& j, const std::string& path, const ReadContext& ctx) {
    Json fields = j.is_string() ? Json{{"file", j}} : j;
    RequireObject(fields, path);
    RejectUnknownKeys(fields, path, [](std::string_view key) {
        return key == "file" || key == "coding" || key == "width" || key == "height" ||
               key == "size";
    });
    if (!fields.contains("file")) Fail(Child(path, "file"), "required");
    std::string file_path = Child(path, "file");
    std::string file = ReadText(fields["file"], file_path);
    std::vector<std::uint8_t> bytes = ReadBlob(fields["file"], file_path, ctx);

    std::optional<PictureCoding> coding;
    if (fields.contains("coding")) coding = ReadCoding(fields["coding"], Child(path, "coding"));
    std::optional<std::int32_t> width, height;
    if (fields.contains("width"))
        width = ReadInteger<std::int32_t>(fields["width"], Child(path, "width"));
    if (fields.contains("height")) {
        height = ReadInteger<std::int32_t>(fields["height"], Child(path, "height"));
    }
    std::optional<std::uint32_t> size;
    if (fields.contains("size"))
        size = ReadInteger<std::uint32_t>(fields["size"], Child(path, "size"));

    Picture picture;
    std::string extension = Extension(file);
    bool from_image = false;
    if (extension == ".bin") {
        // The stored bytes, kept as they were.
        if (!coding) Fail(Child(path, "coding"), "required for a .bin picture");
        if (!width || !height) Fail(path, "width and height are required for a .bin picture");
        picture.coding = *coding;
        picture.width = *width;
        picture.height = *height;
        picture.bytes = std::move(bytes);
    } else {
        std::optional<RgbImage> image;
        if (extension == ".jpg" || extension == ".jpeg") {
            if (!coding || *coding == PictureCoding::kJpeg) {
                // With its size given the stream is taken as stored, even a damaged one, so that
                // every dumped project builds again; otherwise the size comes from the stream.
                if (!width || !height) {
                    auto jpeg_size = ReadJpegSize(bytes);
                    if (!jpeg_size) Fail(file_path, "\"" + file + "\" is not a JPEG file");
                    width = width.value_or(jpeg_size->width);
                    height = height.value_or(jpeg_size->height);
                }
                picture.coding = PictureCoding::kJpeg;
                picture.width = *width;
                picture.height = *height;
                picture.bytes = std::move(bytes);
            } else {
                image = DecodeJpeg(bytes);
                if (!image) Fail(file_path, "\"" + file + "\" is not a JPEG file");
            }
        } else if (extension == ".png") {
            if (coding == PictureCoding::kJpeg) {
                Fail(Child(path, "coding"), "a \"jpeg\" picture needs a .jpg file");
            }
            image = DecodePng(bytes);
            if (!image) Fail(file_path, "\"" + file + "\" is not a PNG file");
        } else {
            Fail(file_path, "expected a .png, .jpg or .bin file");
        }
        if (image) {
            if ((width && *width != image->width) || (height && *height != image->height)) {
                Fail(path, "width and height differ from the size of \"" + file + "\" (" +
                               std::to_string(image->width) + "x" + std::to_string(image->height) +
                               ")");
            }
            picture.coding = coding.value_or(PictureCoding::kZlib);
            picture.width = image->width;
            picture.height = image->height;
            picture.bytes = picture.coding == PictureCoding::kZlib ? Deflate(image->pixels)
                                                                   : std::move(image->pixels);
            from_image = true;
        }
    }
    picture.size = size.value_or(DefaultPictureSize(picture.coding, picture.bytes.size(),
                                                    picture.width, picture.height, from_image));
    return picture;
}

void FromJson(const Json& j, const std::string& path, std::optional<Picture>& out,
              const ReadContext& ctx) {
    if (j.is_null()) {
        out.reset();
        return;
    }
    out = ReadPicture(j, path, ctx);
}

void FromJson(const Json& j, const std::string& path, std::optional<StoredMetafile>& out,
              const ReadContext& ctx) {
    if (j.is_null()) {
        out.reset();
        return;
    }
    RequireObject(j, path);
    RejectUnknownKeys(j, path,
                      [](std::string_view key) { return key == "header" || key == "data"; });
    StoredMetafile metafile;
    if (j.contains("header")) {
        std::string header_path = Child(path, "header");
        std::string hex = ReadText(j["header"], header_path);
        if (hex.size() != 2 * metafile.header.size()) Fail(header_path, "expected 48 hex digits");
        for (std::size_t i = 0; i < metafile.header.size(); ++i) {
            int high = HexDigit(hex[2 * i]);
            int low = HexDigit(hex[2 * i + 1]);
            if (high < 0 || low < 0) Fail(header_path, "expected 48 hex digits");
            metafile.header[i] = static_cast<std::uint8_t>(high * 16 + low);
        }
    }
    if (j.contains("data")) metafile.data = ReadBlob(j["data"], Child(path, "data"), ctx);
    out = std::move(metafile);
}

void ReadRecords(const Json& j, const std::string& path, ActionList& out, const ReadContext& ctx) {
    if (!j.is_array()) Fail(path, "expected a list of action records");
    out.records.assign(j.size(), ActionRecord{});
    for (std::size_t i = 0; i < j.size(); ++i)
        ReadRecord(j[i], Index(path, i), out.records[i], ctx);
}

void FromJson(const Json& j, const std::string& path, ActionList& out, const ReadContext& ctx) {
    out = ActionList{};
    // Script text needs the compiler; readers without one take records only.
    const char* expected = ctx.scripts != nullptr
                               ? "expected script text or a list of action records"
                               : "expected a list of action records";
    if (j.is_string() && ctx.scripts != nullptr) {
        std::string error;
        std::optional<ActionList> compiled =
            ctx.scripts->Compile(Utf8ToCp1252(j.get<std::string>()), error);
        if (!compiled) Fail(path, Cp1252ToUtf8(error));
        out = std::move(*compiled);
        return;
    }
    if (j.is_object()) {
        RejectUnknownKeys(
            j, path, [](std::string_view key) { return key == "records" || key == "end_marker"; });
        if (j.contains("records")) ReadRecords(j["records"], Child(path, "records"), out, ctx);
        if (j.contains("end_marker")) {
            out.end_marker = ReadInteger<std::uint32_t>(j["end_marker"], Child(path, "end_marker"));
        }
        return;
    }
    if (!j.is_array()) Fail(path, expected);
    ReadRecords(j, path, out, ctx);
}

void FromJson(const Json& j, const std::string& path, LogFont& out, const ReadContext& ctx) {
    ReadRecord(j, path, out, ctx);
}

void FromJson(const Json& j, const std::string& path, TransitionMask& out, const ReadContext& ctx) {
    RequireObject(j, path);
    RejectUnknownKeys(j, path, [](std::string_view key) {
        return key == "size" || key == "compressed" || key == "bytes";
    });
    out = TransitionMask{};
    if (j.contains("compressed"))
        FromJson(j["compressed"], Child(path, "compressed"), out.compressed, ctx);
    if (j.contains("bytes")) out.bytes = ReadBlob(j["bytes"], Child(path, "bytes"), ctx);
    out.size = static_cast<std::uint32_t>(out.bytes.size());
    if (j.contains("size")) FromJson(j["size"], Child(path, "size"), out.size, ctx);
}

void FromJson(const Json& j, const std::string& path, std::vector<Object>& out,
              const ReadContext& ctx) {
    if (!j.is_array()) Fail(path, "expected a list of objects");
    out.assign(j.size(), ctx.object_default);
    for (std::size_t i = 0; i < j.size(); ++i) ReadRecord(j[i], Index(path, i), out[i], ctx);
}

template <class T, class U>
void ReadMember(const Json& j, const std::string& path, T& out, U T::*member,
                const ReadContext& ctx) {
    FromJson(j, path, out.*member, ctx);
}

template <class T>
void ReadMember(const Json& j, const std::string& path, T& out, BlobMember<T> blob,
                const ReadContext& ctx) {
    out.*(blob.member) = ReadBlob(j, path, ctx);
}

template <class T>
void ReadRecord(const Json& j, const std::string& path, T& out, const ReadContext& ctx) {
    RequireObject(j, path);
    std::size_t known = 0;
    auto read = [&](const char* name, auto member, Emit) {
        auto it = j.find(name);
        if (it == j.end()) return;
        ++known;
        ReadMember(*it, Child(path, name), out, member, ctx);
    };
    try {
        VisitJsonFields<T>(read);
    } catch (const std::exception&) {
        // Of several faulty fields the error names the first in model order, which need not be
        // the first in the stored order of the list.
        VisitJsonFieldsInModelOrder(out, read);
        throw;
    }
    if (known != j.size()) RejectUnknownKeys(j, path, HasField<T>);
}

EmbeddedFile ReadEmbeddedFile(const Json& j, const std::string& path, const ReadContext& ctx) {
    RequireObject(j, path);
    RejectUnknownKeys(j, path, [](std::string_view key) {
        return key == "file_type" || key == "file_name" || key == "compressed" || key == "data" ||
               key == "size";
    });
    EmbeddedFile file;
    if (j.contains("file_type"))
        FromJson(j["file_type"], Child(path, "file_type"), file.file_type, ctx);
    if (j.contains("file_name"))
        FromJson(j["file_name"], Child(path, "file_name"), file.file_name, ctx);
    if (j.contains("compressed")) {
        FromJson(j["compressed"], Child(path, "compressed"), file.compressed, ctx);
    }
    if (j.contains("data")) file.data = ReadBlob(j["data"], Child(path, "data"), ctx);
    file.size = static_cast<std::uint32_t>(file.data.size());
    if (j.contains("size")) FromJson(j["size"], Child(path, "size"), file.size, ctx);
    return file;
}

StandaloneSettings ReadStandalone(const Json& j, const std::string& path, const ReadContext& ctx) {
    RequireObject(j, path);
    RejectUnknownKeys(j, path, [](std::string_view key) {
        return key == "single_instance" || key == "instance_name";
    });
    StandaloneSettings settings;
    if (j.contains("single_instance")) {
        FromJson(j["single_instance"], Child(path, "single_instance"), settings.single_instance,
                 ctx);
    }
    if (j.contains("instance_name")) {
        std::string name_path = Child(path, "instance_name");
        FromJson(j["instance_name"], name_path, settings.instance_name, ctx);
        if (settings.instance_name.size() > kMaxInstanceNameBytes) {
            Fail(name_path, "at most 38 characters");
        }
    }
    return settings;
}

ProjectDescription ReadProject(const Json& j, const ReadContext& ctx) {
    RequireObject(j, "");
    RejectUnknownKeys(j, "", [](std::string_view key) {
        return key == "version" || key == "standalone" || key == "header" || key == "pages" ||
               key == "master_page" || key == "master_layer" || key == "shape" ||
               key == "embedded_files";
    });
    ProjectDescription description;
    Project& project = description.project;
    if (j.contains("version")) {
        // Any version a file can carry: the reader takes those above the current one with the
        // current layout, and only 0 is refused.
        project.version = ReadInteger<std::int32_t>(j["version"], "version");
        if (project.version == 0) Fail("version", "expected a version other than 0");
    }
    if (j.contains("standalone"))
        description.standalone = ReadStandalone(j["standalone"], "standalone", ctx);
    if (j.contains("header")) ReadRecord(j["header"], "header", project.header, ctx);
    if (j.contains("pages")) {
        const Json& pages = j["pages"];
        if (!pages.is_array()) Fail("pages", "expected a list of pages");
        project.pages.assign(pages.size(), Page{});
        for (std::size_t i = 0; i < pages.size(); ++i) {
            ReadRecord(pages[i], Index("pages", i), project.pages[i], ctx);
        }
    }
    if (j.contains("master_page"))
        ReadRecord(j["master_page"], "master_page", project.master_page, ctx);
    if (j.contains("master_layer")) {
        ReadRecord(j["master_layer"], "master_layer", project.master_layer, ctx);
    }
    if (j.contains("shape")) ReadRecord(j["shape"], "shape", project.shape, ctx);
    if (j.contains("embedded_files")) {
        const Json& files = j["embedded_files"];
        if (!files.is_array()) Fail("embedded_files", "expected a list of embedded files");
        for (std::size_t i = 0; i < files.size(); ++i) {
            project.embedded_files.push_back(
                ReadEmbeddedFile(files[i], Index("embedded_files", i), ctx));
        }
    }
    return description;
}

// ---------------------------------------------------------------------------------------------
// Text layout

constexpr std::size_t kLineWidth = 100;

std::string Scalar(const Json& j) {
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string Compact(const Json& j) {
    if (j.is_object()) {
        std::string out = "{";
        bool first = true;
        for (const auto& item : j.items()) {
            if (!first) out += ", ";
            first = false;
            out += Scalar(Json(item.key())) + ": " + Compact(item.value());
        }
        return out + "}";
    }
    if (j.is_array()) {
        std::string out = "[";
        for (std::size_t i = 0; i < j.size(); ++i) {
            if (i > 0) out += ", ";
            out += Compact(j[i]);
        }
        return out + "]";
    }
    return Scalar(j);
}

// Writes `j` starting at `column`; nested values that fit the line stay on one line.
void Layout(const Json& j, std::size_t indent, std::size_t column, std::string& out) {
    std::string compact = Compact(j);
    if (!j.is_structured() || j.empty() || column + compact.size() + 1 <= kLineWidth) {
        out += compact;
        return;
    }
    std::string inner(indent + 2, ' ');
    bool object = j.is_object();
    out += object ? "{\n" : "[\n";
    std::size_t i = 0;
    for (const auto& item : j.items()) {
        out += inner;
        std::size_t item_column = inner.size();
        if (object) {
            std::string key = Scalar(Json(item.key())) + ": ";
            out += key;
            item_column += key.size();
        }
        Layout(item.value(), indent + 2, item_column, out);
        out += ++i < j.size() ? ",\n" : "\n";
    }
    out += std::string(indent, ' ') + (object ? "}" : "]");
}

}  // namespace

std::string UniqueBlobName(std::string_view suggested, std::vector<std::string>& taken) {
    std::string name(suggested);
    std::size_t slash = name.find_last_of('/');
    std::size_t base_start = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot <= base_start) dot = name.size();
    for (int n = 2; std::find(taken.begin(), taken.end(), Lower(name)) != taken.end(); ++n) {
        name = std::string(suggested.substr(0, dot)) + "_" + std::to_string(n) +
               std::string(suggested.substr(dot));
    }
    taken.push_back(Lower(name));
    return name;
}

std::string MemoryBlobs::Store(std::string_view suggested_name,
                               std::span<const std::uint8_t> bytes) {
    std::vector<std::string> taken;
    for (const auto& entry : files_) taken.push_back(Lower(entry.first));
    std::string name = UniqueBlobName(suggested_name, taken);
    files_[name].assign(bytes.begin(), bytes.end());
    return name;
}

std::optional<std::vector<std::uint8_t>> MemoryBlobs::Load(std::string_view path) const {
    auto it = files_.find(std::string(path));
    if (it == files_.end()) return std::nullopt;
    return it->second;
}

Json ProjectToJson(const ProjectDescription& description, BlobSink& blobs,
                   const JsonWriteOptions& options) {
    const Project& project = description.project;
    const Object object_default = DefaultObject();
    WriteContext ctx{blobs, "blobs/", object_default, options.omit_defaults, options.scripts};
    bool full = !options.omit_defaults;

    Json out = Json::object();
    out["version"] = project.version;
    if (description.standalone) {
        out["standalone"] = Json::object();
        out["standalone"]["single_instance"] = description.standalone->single_instance;
        out["standalone"]["instance_name"] = Cp1252ToUtf8(description.standalone->instance_name);
    }
    out["header"] = WriteRecord(project.header, ProjectHeader{}, ctx);
    out["pages"] = Json::array();
    for (std::size_t i = 0; i < project.pages.size(); ++i) {
        WriteContext page_ctx = ctx.Nested("page" + std::to_string(i) + "_");
        out["pages"].push_back(WriteRecord(project.pages[i], Page{}, page_ctx));
    }
    const Project fresh;
    if (full || project.master_page != fresh.master_page) {
        out["master_page"] =
            WriteRecord(project.master_page, fresh.master_page, ctx.Nested("master_page_"));
    }
    if (full || project.master_layer != fresh.master_layer) {
        out["master_layer"] =
            WriteRecord(project.master_layer, fresh.master_layer, ctx.Nested("master_layer_"));
    }
    if (project.shape != WindowShape{})
        out["shape"] = WriteRecord(project.shape, WindowShape{}, ctx);
    if (full || !project.embedded_files.empty()) {
        out["embedded_files"] = Json::array();
        for (std::size_t i = 0; i < project.embedded_files.size(); ++i) {
            out["embedded_files"].push_back(
                EmbeddedFileToJson(project.embedded_files[i], i, blobs, options.omit_defaults));
        }
    }
    return out;
}

std::string FormatJson(const Json& json) {
    std::string out;
    Layout(json, 0, 0, out);
    out += '\n';
    return out;
}

DescriptionResult ProjectFromJson(const Json& json, const BlobSource& blobs,
                                  const ScriptCodec* scripts) {
    const Object object_default = DefaultObject();
    ReadContext ctx{blobs, object_default, scripts};
    DescriptionResult result;
    try {
        result.description = ReadProject(json, ctx);
    } catch (const DescriptionError& e) {
        result.error = e.what();
    } catch (const nlohmann::json::exception& e) {
        result.error = e.what();
    }
    return result;
}

DescriptionResult ParseProjectJson(std::string_view text, const BlobSource& blobs,
                                   const ScriptCodec* scripts) {
    Json json;
    try {
        json = Json::parse(text.begin(), text.end());
    } catch (const nlohmann::json::parse_error& e) {
        // The library's message names the line and column; its bracketed prefix is noise.
        std::string message = e.what();
        std::size_t close = message.find("] ");
        if (close != std::string::npos) message.erase(0, close + 2);
        return DescriptionResult{std::nullopt, message};
    }
    return ProjectFromJson(json, blobs, scripts);
}

}  // namespace velk

// The binary side of the field lists (field_list.h): a reader and a writer that walk a record's
// list, and the stored form of each field type.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "base/geometry.h"
#include "document/action_list.h"
#include "document/action_list_io.h"
#include "document/field_list.h"
#include "document/load_context.h"

namespace velk {

// Stored forms by type. Counts are checked against the bytes left before anything is allocated.

inline void ReadStored(ByteReader& in, std::uint32_t& value) {
    value = in.U32();
}
inline void ReadStored(ByteReader& in, std::int32_t& value) {
    value = in.I32();
}
inline void ReadStored(ByteReader& in, std::uint8_t& value) {
    value = in.U8();
}
// Flags take one byte.
inline void ReadStored(ByteReader& in, bool& value) {
    value = in.U8() != 0;
}
inline void ReadStored(ByteReader& in, double& value) {
    value = in.F64();
}
inline void ReadStored(ByteReader& in, std::string& value) {
    value = in.ArchiveString();
}
inline void ReadStored(ByteReader& in, std::int32_t (&pair)[2]) {
    pair[0] = in.I32();
    pair[1] = in.I32();
}
inline void ReadStored(ByteReader& in, Point& point) {
    point.x = in.I32();
    point.y = in.I32();
}
inline void ReadStored(ByteReader& in, Rect& rect) {
    rect.left = in.I32();
    rect.top = in.I32();
    rect.right = in.I32();
    rect.bottom = in.I32();
}
inline void ReadStored(ByteReader& in, ActionList& list) {
    list = ReadActionList(in);
}
// A count, then the items.
void ReadStored(ByteReader& in, std::vector<Point>& points);
void ReadStored(ByteReader& in, std::vector<std::string>& lines);
// A length, then the bytes.
void ReadStored(ByteReader& in, std::vector<std::uint8_t>& bytes);

inline void WriteStored(ByteWriter& out, std::uint32_t value) {
    out.U32(value);
}
inline void WriteStored(ByteWriter& out, std::int32_t value) {
    out.I32(value);
}
inline void WriteStored(ByteWriter& out, std::uint8_t value) {
    out.U8(value);
}
inline void WriteStored(ByteWriter& out, bool value) {
    out.U8(value ? 1 : 0);
}
inline void WriteStored(ByteWriter& out, double value) {
    out.F64(value);
}
inline void WriteStored(ByteWriter& out, const std::string& value) {
    out.ArchiveString(value);
}
inline void WriteStored(ByteWriter& out, const std::int32_t (&pair)[2]) {
    out.I32(pair[0]);
    out.I32(pair[1]);
}
inline void WriteStored(ByteWriter& out, Point point) {
    out.I32(point.x);
    out.I32(point.y);
}
inline void WriteStored(ByteWriter& out, const Rect& rect) {
    out.I32(rect.left);
    out.I32(rect.top);
    out.I32(rect.right);
    out.I32(rect.bottom);
}
inline void WriteStored(ByteWriter& out, const ActionList& list) {
    WriteActionList(out, list);
}
void WriteStored(ByteWriter& out, const std::vector<Point>& points);
void WriteStored(ByteWriter& out, const std::vector<std::string>& lines);
void WriteStored(ByteWriter& out, const std::vector<std::uint8_t>& bytes);

// A record with a list of its own, stored inline where it stands (the font of an object).
template <class Record>
concept ListedRecord = requires {
    VisitFields(RecordTag<Record>{}, 0);
};

// The codec of a field listed without one: the stored form of its type.
struct ByType {
    template <class T>
    static void Read(ByteReader& in, T& value) {
        ReadStored(in, value);
    }
    template <class T>
    static void Write(ByteWriter& out, const T& value) {
        WriteStored(out, value);
    }
};

// A codec reads with Read(in, value), Read(in, ctx, value) when it reports to the user, or
// Read(in, ctx, value, record) when the stored form carries more of the record than the field.
// The context is the LoadContext of the project being read; records read on their own (action
// lists) need only a version.
template <class Record, class Context = LoadContext>
class FieldReader {
  public:
    FieldReader(ByteReader& in, Context& ctx, Record& record)
        : in_(in), ctx_(ctx), record_(record) {}

    template <class T>
    void operator()(const char*, T Record::*member, Emit = Emit::kNormal) {
        if constexpr (ListedRecord<T>) {
            FieldReader<T, Context> nested(in_, ctx_, record_.*member);
            VisitFields(RecordTag<T>{}, nested);
        } else {
            ByType::Read(in_, record_.*member);
        }
    }
    template <class T, FieldCodec C>
    void operator()(const char*, T Record::*member, C, Emit = Emit::kNormal) {
        if constexpr (requires { C::Read(in_, ctx_, std::declval<T&>(), record_); }) {
            C::Read(in_, ctx_, record_.*member, record_);
        } else if constexpr (requires { C::Read(in_, ctx_, std::declval<T&>()); }) {
            C::Read(in_, ctx_, record_.*member);
        } else {
            C::Read(in_, record_.*member);
        }
    }
    template <class T>
    void InJson(const char*, T Record::*, Emit = Emit::kNormal) {}
    void Unused(UnusedStrings strings) {
        for (int i = 0; i < strings.count; ++i) in_.ArchiveString();
    }
    void Unused(UnusedNumbers numbers) {
        for (int i = 0; i < numbers.count; ++i) in_.U32();
    }
    void Unused(UnusedNumberLists lists) {
        for (int i = 0; i < lists.count; ++i) {
            std::uint32_t count = in_.U32();
            in_.RequireItems(count, 4);
            in_.Skip(std::size_t{count} * 4);
        }
    }
    template <class Conversion>
    void OnRead(Conversion conversion) {
        conversion(record_, ctx_);
    }
    bool VersionAbove(std::int32_t version) const { return ctx_.version > version; }
    template <class Predicate>
    bool When(Predicate predicate) const {
        return predicate(std::as_const(record_));
    }

  private:
    ByteReader& in_;
    Context& ctx_;
    Record& record_;
};

// A codec writes with Write(out, value), Write(out, value, version) when its form depends on
// the version, or Write(out, value, record) like its reader.
template <class Record>
class FieldWriter {
  public:
    FieldWriter(ByteWriter& out, const Record& record, std::int32_t version)
        : out_(out), record_(record), version_(version) {}

    template <class T>
    void operator()(const char*, T Record::*member, Emit = Emit::kNormal) {
        if constexpr (ListedRecord<T>) {
            FieldWriter<T> nested(out_, record_.*member, version_);
            VisitFields(RecordTag<T>{}, nested);
        } else {
            ByType::Write(out_, record_.*member);
        }
    }
    template <class T, FieldCodec C>
    void operator()(const char*, T Record::*member, C, Emit = Emit::kNormal) {
        if constexpr (requires { C::Write(out_, std::declval<const T&>(), record_); }) {
            C::Write(out_, record_.*member, record_);
        } else if constexpr (requires { C::Write(out_, std::declval<const T&>(), version_); }) {
            C::Write(out_, record_.*member, version_);
        } else {
            C::Write(out_, record_.*member);
        }
    }
    template <class T>
    void InJson(const char*, T Record::*, Emit = Emit::kNormal) {}
    void Unused(UnusedStrings strings) {
        for (int i = 0; i < strings.count; ++i) out_.ArchiveString("");
    }
    void Unused(UnusedNumbers numbers) {
        for (int i = 0; i < numbers.count; ++i) out_.U32(0);
    }
    void Unused(UnusedNumberLists lists) {
        for (int i = 0; i < lists.count; ++i) out_.U32(0);
    }
    template <class Conversion>
    void OnRead(Conversion) {}
    bool VersionAbove(std::int32_t version) const { return version_ > version; }
    template <class Predicate>
    bool When(Predicate predicate) const {
        return predicate(record_);
    }

  private:
    ByteWriter& out_;
    const Record& record_;
    std::int32_t version_;
};

}  // namespace velk

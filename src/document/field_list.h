// One list of fields per stored record, the single source for the binary reader, the binary
// writer (binary_fields.h) and the project description (project_json.cpp): the order the file
// stores the fields in, the form each is stored in, the versions and kinds that store it, and
// its name in the description. A field added to the list is read, written and described alike.
//
// A list is a function template `VisitFields(RecordTag<Record>, v)` that calls, in stored order:
//   v(name, &Record::member [, codec] [, emit])  a stored field; without a codec it is stored in
//                                                the form of its type (binary_fields.h)
//   v.InJson(name, &Record::member [, emit])     a field with no stored form of its own: run-time
//                                                state, or a value another field's codec carries
//   v.Unused(UnusedStrings{n} / UnusedNumbers{n} / UnusedNumberLists{n})  stored words the
//                                                player never used: skipped when read, written
//                                                empty
//   v.OnRead(fn)                                 a conversion the reader makes at this point of
//                                                the record, fn(record, load_context)
// and guards the fields that not every record stores with
//   v.VersionAbove(n)   stored by files of a version above n
//   v.When(pred)        stored when pred(record) holds for the fields read so far
// The description holds every field of every version, so its visitors pass every guard.
#pragma once

#include <concepts>
#include <cstdint>

namespace velk {

template <class Record>
struct RecordTag {};

// When the description writes a field.
enum class Emit {
    kNormal,  // unless defaults are left out and it has its default
    kAlways,  // always: the fields that identify a record
    kSparse,  // only when it differs from the default: spare fields, markers, run-time state
};

// What follows a field's member in a list when it is not its Emit: the field's stored form.
template <class T>
concept FieldCodec = !std::same_as<T, Emit>;

struct UnusedStrings {
    int count;
};

struct UnusedNumbers {
    int count;
};

// Lists of numbers: a count, then that many numbers; written empty.
struct UnusedNumberLists {
    int count;
};

}  // namespace velk

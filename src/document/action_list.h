// Action records: compiled script statements as a project stores them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace velk {

// Statement codes that sit beside the command codes of the command table.
enum StatementCode : std::int32_t {
    kCodeAssign = 99,
    kCodeIf = 100,
    kCodeEnd = 101,
    kCodeFor = 102,
    kCodeNext = 103,
    kCodeElse = 104,
    kCodeComment = 200,
};

struct ActionRecord {
    std::int32_t code = 0;
    std::string target;
    std::string argument;
    std::string limit;
    std::string spare_text;
    std::int32_t spare_number = 0;
    std::int32_t argument_count = 0;
    std::int32_t spare_pair[2] = {0, 0};
    // The stored end marker, kept so that a project is written back as it was read.
    std::uint32_t end_marker = 0xFFFFFFFF;
    // Run time only: the message of the last failed compilation of this record.
    std::string error_text;

    bool operator==(const ActionRecord&) const = default;
};

struct ActionList {
    std::vector<ActionRecord> records;
    std::uint32_t end_marker = 0xFFFFFFFF;

    bool empty() const { return records.empty(); }
    bool operator==(const ActionList&) const = default;
};

// Running lists are shared so that a list being walked survives its owner being replaced.
using ActionListPtr = std::shared_ptr<const ActionList>;

}  // namespace velk

// The filter text of the old file dialogs, "Text files (*.txt)|*.txt|All Files (*.*)|*.*||":
// a description and its patterns (separated by ';'), pair after pair, ended by "||". Hosts
// read it to show their own dialogs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velk::host {

struct FilterPair {
    std::string description;
    std::string patterns;  // "*.a;*.b"
    bool operator==(const FilterPair&) const = default;
};

// The pairs in order. As the old dialogs read the text, the list ends at the first empty field
// (the "||"), and a description without its patterns is left out.
std::vector<FilterPair> SplitFileFilter(std::string_view filter);

}  // namespace velk::host

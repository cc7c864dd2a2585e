#include "host/file_filter.h"

namespace velk::host {

std::vector<FilterPair> SplitFileFilter(std::string_view filter) {
    std::vector<FilterPair> pairs;
    std::vector<std::string_view> fields;
    while (!filter.empty()) {
        const std::size_t bar = filter.find('|');
        const std::string_view field = filter.substr(0, bar);
        if (field.empty()) break;
        fields.push_back(field);
        if (bar == std::string_view::npos) break;
        filter.remove_prefix(bar + 1);
    }
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        pairs.push_back({std::string(fields[i]), std::string(fields[i + 1])});
    }
    return pairs;
}

}  // namespace velk::host

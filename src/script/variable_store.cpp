#include "script/variable_store.h"

namespace velk {

void VariableStore::SetNumber(std::string_view name, double value) {
    values_.insert_or_assign(std::string(name), Value(value));
}

void VariableStore::SetString(std::string_view name, std::string_view value) {
    values_.insert_or_assign(std::string(name), Value(std::string(value)));
}

std::optional<double> VariableStore::FindNumber(std::string_view name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    if (const double* number = std::get_if<double>(&it->second)) return *number;
    return std::nullopt;
}

std::optional<std::string> VariableStore::FindString(std::string_view name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    if (const std::string* text = std::get_if<std::string>(&it->second)) return *text;
    return std::nullopt;
}

}  // namespace velk

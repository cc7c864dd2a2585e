// The script variables of one player: numbers and strings by exact name. A name ending in "$"
// is a string variable. The evaluator and the system variables build on this store.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace velk {

class VariableStore {
  public:
    using Value = std::variant<double, std::string>;

    static bool IsStringName(std::string_view name) { return name.ends_with('$'); }

    void SetNumber(std::string_view name, double value);
    void SetString(std::string_view name, std::string_view value);

    // The value, or nothing when the variable was never set.
    std::optional<double> FindNumber(std::string_view name) const;
    std::optional<std::string> FindString(std::string_view name) const;
    // The value, 0 or "" when the variable was never set.
    double GetNumber(std::string_view name) const { return FindNumber(name).value_or(0.0); }
    std::string GetString(std::string_view name) const { return FindString(name).value_or(""); }

    // Every variable, ordered by name (byte order).
    const std::map<std::string, Value, std::less<>>& All() const { return values_; }
    void Clear() { values_.clear(); }

  private:
    std::map<std::string, Value, std::less<>> values_;
};

}  // namespace velk

// The script variables of one player. One record per exact name holds both a number and a text:
// "count" and "count$" are two records, told apart only by their names. Records are kept in the
// order they were created and never removed; a name index makes every lookup a hash lookup.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace velk {

// The number a record created by a string store carries: "no number".
inline constexpr double kNoNumber = 1e-99;

struct Variable {
    std::string name;
    double number = 0.0;
    std::string text;
};

class VariableStore;

// A name looked up once and remembered: loops read and write their counter through it every
// pass without hashing the name again. Valid for one store; the store tells when the remembered
// record may be stale (its records replaced, or the absent name possibly created).
struct VariableSlot {
    explicit VariableSlot(std::string slot_name = {}) : name(std::move(slot_name)) {}
    std::string name;
    const VariableStore* store = nullptr;
    Variable* record = nullptr;
    std::uint64_t epoch = ~std::uint64_t{0};
    std::uint64_t created = 0;
};

class VariableStore {
  public:
    VariableStore() = default;
    VariableStore(const VariableStore& other);
    VariableStore& operator=(const VariableStore& other);
    VariableStore(VariableStore&& other) noexcept;
    VariableStore& operator=(VariableStore&& other) noexcept;

    // A name ending in "$" or holding "$[" names a string variable (a convention of the
    // scripts; the store itself keeps both values for every name).
    static bool IsStringName(std::string_view name) {
        return name.ends_with('$') || name.find("$[") != std::string_view::npos;
    }

    // Stores under exactly this name (no index normalisation: callers pass finished names),
    // creating the record when absent. True when it existed.
    bool SetNumber(std::string_view name, double value);
    bool SetString(std::string_view name, std::string_view text);

    // After index normalisation ("a[i]" with i = 3 reads "a[3]", "a[i]$" reads "a$[3]").
    // False and `value` untouched when absent.
    bool GetNumber(std::string_view name, double& value) const;
    // False and the empty text when absent.
    bool GetString(std::string_view name, std::string& text) const;

    // Exact-name lookups without normalisation.
    const Variable* Find(std::string_view name) const;
    std::optional<double> FindNumber(std::string_view name) const;
    std::optional<std::string> FindString(std::string_view name) const;
    // The value, 0 or "" when the variable was never set (exact name).
    double GetNumber(std::string_view name) const { return FindNumber(name).value_or(0.0); }
    std::string GetString(std::string_view name) const { return FindString(name).value_or(""); }

    // Through a slot: the same as Find and SetNumber by the slot's name.
    const Variable* Find(VariableSlot& slot) const { return Resolve(slot); }
    void SetNumber(VariableSlot& slot, double value) {
        if (Variable* record = Resolve(slot)) {
            record->number = value;
        } else {
            SetNumber(slot.name, value);
        }
    }

    // What every exact-name lookup depends on. While a store's stamp stays the same, each name
    // found (or found absent) under it still is, at the same record. Creating a record changes
    // `created` (an absent name may exist now); replacing or dropping the records changes
    // `epoch` (every remembered record is gone).
    struct Stamp {
        const VariableStore* store = nullptr;
        std::uint64_t epoch = ~std::uint64_t{0};
        std::uint64_t created = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp CurrentStamp() const { return {this, epoch_, created_}; }
    // The record of exactly this name for writing in place; null when absent.
    Variable* FindRecord(std::string_view name) {
        auto it = index_.find(name);
        return it == index_.end() ? nullptr : it->second;
    }
    // SetNumber, giving the record stored to.
    Variable& SetNumberRecord(std::string_view name, double value) {
        bool existed = false;
        Variable& record = Record(name, existed, true);
        record.number = value;
        return record;
    }

    // Every variable in the order of creation.
    const std::deque<Variable>& All() const { return records_; }
    void Clear();

  private:
    Variable& Record(std::string_view name, bool& existed, bool numeric);
    void Reindex();
    Variable* Resolve(VariableSlot& slot) const {
        if (slot.store == this && slot.epoch == epoch_ &&
            (slot.record != nullptr || slot.created == created_)) {
            return slot.record;
        }
        return ResolveSlow(slot);
    }
    Variable* ResolveSlow(VariableSlot& slot) const;

    // A deque never moves its elements when it grows, so the index keys can view the names.
    std::deque<Variable> records_;
    std::unordered_map<std::string_view, Variable*> index_;
    // Changes whenever the records are replaced or dropped, so that no slot keeps a stale one.
    std::uint64_t epoch_ = 0;
    // Counts every record created, so that a name found absent is looked up again only after
    // some record was created.
    std::uint64_t created_ = 0;
};

// The name a name with an index in brackets stands for: "a[i]" with i = 3 is "a[3]", "a[i]$"
// and "a$[i]" are "a$[3]". The index is a number or a plain variable name. A name without
// brackets comes back unchanged.
std::string NormaliseIndexedName(std::string_view name, const VariableStore& variables);

// A trimmed text holding "$" after its first character that names an existing string variable
// becomes that variable's text; any other text stays as it is.
std::string SubstituteStringVariable(std::string_view text, const VariableStore& variables);

// The object an indexed object name stands for. With `array_indexing` (every command but the
// matrix commands, and the built-ins): "Button[i]" with i = 3 names "Button3", then a string
// variable's name is replaced by its text. Without it (matrix addresses "M[i][j]"): the first
// index joins the name and the cell part is dropped.
std::string ResolveObjectName(std::string_view name, bool array_indexing,
                              const VariableStore& variables);

}  // namespace velk

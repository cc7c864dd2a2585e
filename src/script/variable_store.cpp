#include "script/variable_store.h"

#include "base/saturate.h"
#include "script/number_text.h"

namespace velk {

VariableStore::VariableStore(const VariableStore& other) : records_(other.records_) {
    Reindex();
}

VariableStore& VariableStore::operator=(const VariableStore& other) {
    if (this != &other) {
        records_ = other.records_;
        Reindex();
        ++epoch_;
    }
    return *this;
}

VariableStore::VariableStore(VariableStore&& other) noexcept
    : records_(std::move(other.records_)), index_(std::move(other.index_)) {
    other.Clear();
}

VariableStore& VariableStore::operator=(VariableStore&& other) noexcept {
    if (this != &other) {
        records_ = std::move(other.records_);
        index_ = std::move(other.index_);
        ++epoch_;
        other.Clear();
    }
    return *this;
}

Variable* VariableStore::ResolveSlow(VariableSlot& slot) const {
    auto it = index_.find(slot.name);
    slot.record = it == index_.end() ? nullptr : it->second;
    slot.store = this;
    slot.epoch = epoch_;
    slot.created = created_;
    return slot.record;
}

void VariableStore::Reindex() {
    index_.clear();
    for (Variable& record : records_) index_.emplace(record.name, &record);
}

void VariableStore::Clear() {
    index_.clear();
    records_.clear();
    ++epoch_;
}

Variable& VariableStore::Record(std::string_view name, bool& existed, bool numeric) {
    if (auto it = index_.find(name); it != index_.end()) {
        existed = true;
        return *it->second;
    }
    existed = false;
    Variable& record = records_.emplace_back(Variable{std::string(name), 0.0, {}});
    ++created_;
    if (!numeric) record.number = kNoNumber;
    index_.emplace(record.name, &record);
    return record;
}

bool VariableStore::SetNumber(std::string_view name, double value) {
    bool existed = false;
    Record(name, existed, true).number = value;
    return existed;
}

bool VariableStore::SetString(std::string_view name, std::string_view text) {
    bool existed = false;
    Record(name, existed, false).text.assign(text);
    return existed;
}

const Variable* VariableStore::Find(std::string_view name) const {
    auto it = index_.find(name);
    return it == index_.end() ? nullptr : it->second;
}

std::optional<double> VariableStore::FindNumber(std::string_view name) const {
    if (const Variable* record = Find(name)) return record->number;
    return std::nullopt;
}

std::optional<std::string> VariableStore::FindString(std::string_view name) const {
    if (const Variable* record = Find(name)) return record->text;
    return std::nullopt;
}

namespace {

// The index of "[index]": a numeric variable's value (itself read with these rules) or the
// text as a decimal number, truncated.
std::int32_t IndexValue(std::string_view index, const VariableStore& variables) {
    double value = 0.0;
    if (!variables.GetNumber(index, value)) value = TextToDouble(index);
    return SaturateCast<std::int32_t>(value);
}

}  // namespace

std::string NormaliseIndexedName(std::string_view name, const VariableStore& variables) {
    const std::size_t open = name.find('[');
    if (open == std::string_view::npos) return std::string(name);
    const std::size_t close = name.find(']', open);
    if (close == std::string_view::npos) return std::string(name);
    const std::int32_t index = IndexValue(name.substr(open + 1, close - open - 1), variables);
    const bool dollar_before = open > 0 && name[open - 1] == '$';
    const bool dollar_after = close + 1 < name.size() && name[close + 1] == '$';
    std::string out(name.substr(0, dollar_before ? open - 1 : open));
    out += dollar_before || dollar_after ? "$[" : "[";
    AppendInt(out, index);
    out += ']';
    return out;
}

bool VariableStore::GetNumber(std::string_view name, double& value) const {
    const Variable* record = name.find('[') == std::string_view::npos
                                 ? Find(name)
                                 : Find(NormaliseIndexedName(name, *this));
    if (record == nullptr) return false;
    value = record->number;
    return true;
}

bool VariableStore::GetString(std::string_view name, std::string& text) const {
    const Variable* record = name.find('[') == std::string_view::npos
                                 ? Find(name)
                                 : Find(NormaliseIndexedName(name, *this));
    if (record == nullptr) {
        text.clear();
        return false;
    }
    text = record->text;
    return true;
}

std::string SubstituteStringVariable(std::string_view text, const VariableStore& variables) {
    const std::string_view name = TrimWhiteSpace(text);
    // A leading "$" alone does not make a variable name: "$5" stays a literal text.
    if (name.find('$', 1) != std::string_view::npos) {
        if (const Variable* record = variables.Find(name)) return record->text;
    }
    return std::string(text);
}

std::string ResolveObjectName(std::string_view name, bool array_indexing,
                              const VariableStore& variables) {
    const std::size_t open = name.find('[');
    if (array_indexing) {
        const std::size_t close = name.rfind(']');
        if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
            return SubstituteStringVariable(name, variables);
        }
        std::string object(name.substr(0, open));
        AppendInt(object, IndexValue(name.substr(open + 1, close - open - 1), variables));
        return SubstituteStringVariable(object, variables);
    }
    // A matrix address: the first index joins the name when a cell part follows it.
    if (open == std::string_view::npos) return {};
    std::size_t brackets = 0;
    for (char c : name) brackets += c == ']';
    const std::size_t close = name.find(']', open);
    if (brackets < 2 || close == std::string_view::npos) return std::string(name.substr(0, open));
    std::string object(name.substr(0, open));
    AppendInt(object, IndexValue(name.substr(open + 1, close - open - 1), variables));
    return object;
}

}  // namespace velk

// Feeds arbitrary text to the expression evaluator in both modes (assignment and condition),
// with a fresh variable store and a window that shows nothing: every outcome must be a number,
// with or without an error, never a crash, a hang or an oversized allocation.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/runtime_random.h"
#include "script/evaluator.h"
#include "script/script_owner.h"
#include "script/variable_store.h"

namespace {

// A window with no objects, no songs and no files.
class NothingOwner : public velk::ScriptOwner {
  public:
    std::string ExpandPath(std::string_view path) override { return std::string(path); }
    std::optional<std::string> SongListEntry(std::int64_t) override { return std::nullopt; }
    velk::Object* FindObject(std::string_view) override { return nullptr; }
    void InvalidateObject(const velk::Object&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    NothingOwner owner;
    velk::VariableStore variables;
    velk::RuntimeRandom random;
    velk::Evaluator evaluator(variables, random, &owner);
    (void)evaluator.Evaluate(text);
    (void)evaluator.EvaluateCondition(text);
    // Again, now that the text's program is in the cache and its variables exist.
    (void)evaluator.Evaluate(text);
    velk::Evaluator::Repeated repeated(text);
    (void)evaluator.Evaluate(repeated);
    return 0;
}

#include "script/compiler_script_codec.h"

#include "script/compiler.h"

namespace velk {

std::optional<ActionList> CompilerScriptCodec::Compile(std::string_view text,
                                                       std::string& error) const {
    CompiledScript compiled = CompileScript(text);
    if (compiled.ok) return std::move(compiled.list);
    // The first message says what is wrong; a rejected line comes before any balance message.
    const CompileMessage& first = compiled.messages.front();
    error = first.line > 0 ? "line " + std::to_string(first.line) + ": " + first.text : first.text;
    return std::nullopt;
}

std::optional<std::string> CompilerScriptCodec::Decompile(const ActionList& list) const {
    // An empty list stays an empty list of records.
    if (list.records.empty() || list.end_marker != ActionList{}.end_marker) return std::nullopt;
    return DecompileScript(list);
}

}  // namespace velk

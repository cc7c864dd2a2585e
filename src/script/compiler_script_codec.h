// Script text for the JSON description, through the player's own compiler.
#pragma once

#include "document/script_text_codec.h"

namespace velk {

class CompilerScriptCodec : public ScriptCodec {
  public:
    std::optional<ActionList> Compile(std::string_view text, std::string& error) const override;
    std::optional<std::string> Decompile(const ActionList& list) const override;
};

}  // namespace velk

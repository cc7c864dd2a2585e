// Settings kept in memory: the headless host's registry.
#pragma once

#include <map>
#include <string>

#include "host/host.h"

namespace velk::headless {

class MemoryProfileStore : public host::ProfileStore {
  public:
    std::optional<std::string> ReadString(std::string_view section,
                                          std::string_view key) const override;
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;

  private:
    // Sections and names compare without regard to case, as the settings registry does.
    struct KeyLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    std::map<std::string, std::map<std::string, std::string, KeyLess>, KeyLess> sections_;
};

}  // namespace velk::headless

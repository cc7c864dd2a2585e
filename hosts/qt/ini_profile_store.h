// The player's settings registry on the desktop: one INI file, a section per registry section
// the core names (the project's settings section, "Font"), values kept as text.
#pragma once

#include <QString>
#include <memory>

#include "host/host.h"

class QSettings;

namespace velk::desktop {

class IniProfileStore : public host::ProfileStore {
  public:
    // The file under the user's configuration folder: "Quillhaven/Velk Player.ini".
    static QString DefaultPath();

    explicit IniProfileStore(const QString& path = DefaultPath());
    ~IniProfileStore() override;

    std::optional<std::string> ReadString(std::string_view section,
                                          std::string_view key) const override;
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;

  private:
    // The stored spelling of `section` or `key`: the registry ignores letter case, the INI
    // format does not, so an existing entry of another case is used rather than a second one.
    QString StoredGroup(const QString& section) const;
    QString StoredKey(const QString& group, const QString& key) const;

    std::unique_ptr<QSettings> settings_;
};

}  // namespace velk::desktop

#include "hosts/qt/ini_profile_store.h"

#include <QSettings>
#include <QStandardPaths>

#include "base/codepage.h"

namespace velk::desktop {

namespace {

QString FromCodePage(std::string_view bytes) {
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

// Finds `name` among `names` without regard to case; `name` itself when absent.
QString MatchIgnoringCase(const QStringList& names, const QString& name) {
    for (const QString& n : names) {
        if (n.compare(name, Qt::CaseInsensitive) == 0) return n;
    }
    return name;
}

}  // namespace

QString IniProfileStore::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quillhaven/Velk Player.ini");
}

IniProfileStore::IniProfileStore(const QString& path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

IniProfileStore::~IniProfileStore() = default;

QString IniProfileStore::StoredGroup(const QString& section) const {
    return MatchIgnoringCase(settings_->childGroups(), section);
}

QString IniProfileStore::StoredKey(const QString& group, const QString& key) const {
    settings_->beginGroup(group);
    const QString stored = MatchIgnoringCase(settings_->childKeys(), key);
    settings_->endGroup();
    return stored;
}

std::optional<std::string> IniProfileStore::ReadString(std::string_view section,
                                                       std::string_view key) const {
    const QString group = StoredGroup(FromCodePage(section));
    const QString full = group + QLatin1Char('/') + StoredKey(group, FromCodePage(key));
    const QVariant value = settings_->value(full);
    if (!value.isValid()) return std::nullopt;
    return Utf8ToCp1252(value.toString().toStdString());
}

void IniProfileStore::WriteString(std::string_view section, std::string_view key,
                                  std::string_view value) {
    const QString group = StoredGroup(FromCodePage(section));
    settings_->setValue(group + QLatin1Char('/') + StoredKey(group, FromCodePage(key)),
                        FromCodePage(value));
    // Written through at once: a presentation that is killed keeps what it saved.
    settings_->sync();
}

}  // namespace velk::desktop

// The services through which the core reaches the machine. The core never touches files,
// dialogs or settings directly; the headless host and the desktop host implement these.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velk::host {

// Modal messages to the user. Texts are code-page bytes.
class Ui {
  public:
    virtual ~Ui() = default;
    // A message box with an OK button.
    virtual void MessageBox(std::string_view caption, std::string_view text) = 0;
};

// The player's settings registry: sections of named values.
class ProfileStore {
  public:
    virtual ~ProfileStore() = default;
    virtual std::optional<std::string> ReadString(std::string_view section,
                                                  std::string_view key) const = 0;
    virtual void WriteString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;

    // Integer values as the settings registry returns them: the default when absent or when
    // the stored text is not a number.
    std::int32_t ReadInt(std::string_view section, std::string_view key,
                         std::int32_t fallback) const;
};

// Files, named by Windows-form paths ("Z:\home\user\show.vkd"; `/` accepted too). Each
// component is matched without regard to case.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual std::optional<std::vector<std::uint8_t>> ReadFile(std::string_view path) const = 0;
    // Creates or truncates. False when the file cannot be written.
    virtual bool WriteFile(std::string_view path, std::span<const std::uint8_t> data) = 0;
    // True when the file is gone afterwards (a missing file is not an error).
    virtual bool RemoveFile(std::string_view path) = 0;
    // Creates the folder; an existing folder is fine.
    virtual bool CreateFolder(std::string_view path) = 0;
    // The system's temporary folder in Windows form, without a trailing backslash; empty when
    // the system has none.
    virtual std::string TempFolder() const = 0;
};

// Local wall-clock time, broken down the way the date and time variables show it.
struct LocalTime {
    std::int32_t year = 1970;      // four digits
    std::int32_t month = 1;        // 1-12
    std::int32_t day = 1;          // day of the month, 1-31
    std::int32_t day_of_week = 4;  // 0 = Sunday ... 6 = Saturday
    std::int32_t hour = 0;         // 0-23
    std::int32_t minute = 0;
    std::int32_t second = 0;
    std::int32_t millisecond = 0;
    bool operator==(const LocalTime&) const = default;
};

// The machine's clocks. Timers, Pause and MoveTo measure with the tick count; the date and
// time variables read the local time.
class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start. It wraps at 2^32 (about every 49.7 days), so ticks
    // are only ever compared by their unsigned difference.
    virtual std::uint32_t TickCount() const = 0;
    virtual LocalTime LocalNow() const = 0;
};

}  // namespace velk::host

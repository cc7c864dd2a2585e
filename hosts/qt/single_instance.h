// One running copy of a single-instance presentation per user. A per-user local socket stands
// for the old named lock: the first instance listens on it; a later one hands its command line
// over through it and ends.
#pragma once

#include <QLocalServer>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

namespace velk::desktop {

class SingleInstance {
  public:
    using Activation = std::function<void(std::string command_line)>;

    // The socket name for `instance_name` (code-page bytes): the user's id and a digest of the
    // name, so that any name makes a valid, short socket name and users do not meet.
    static QString ServerName(std::string_view instance_name);

    // Gives `command_line` to the instance listening on `name`; false when none is running.
    static bool HandOver(const QString& name, std::string_view command_line);

    // Listens on `name`; every command line handed over later reaches `on_activation`. False
    // when another instance holds the name.
    bool Listen(const QString& name, Activation on_activation);

  private:
    void Accept();

    QLocalServer server_;
    Activation on_activation_;
};

}  // namespace velk::desktop

// One running copy of a single-instance presentation per user. A per-user local socket stands
// for the old named lock: the first instance listens on it; a later one hands its command line
// over through it and ends. The arguments travel as the system gave them (UTF-8, one by one),
// so that a file whose name the code page cannot hold is still found exactly by the first
// instance.
#pragma once

#include <QLocalServer>
#include <QString>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velk::desktop {

class SingleInstance {
  public:
    using Activation = std::function<void(std::vector<std::string> arguments)>;

    // The socket name for `instance_name` (code-page bytes): the user's id and a digest of the
    // name, so that any name makes a valid, short socket name and users do not meet.
    static QString ServerName(std::string_view instance_name);

    // Gives the process arguments (after the program name) to the instance listening on
    // `name`; false when none is running.
    static bool HandOver(const QString& name, std::span<const std::string> arguments);

    // Listens on `name`; every argument list handed over later reaches `on_activation`. False
    // when another instance holds the name.
    bool Listen(const QString& name, Activation on_activation);

  private:
    void Accept();

    QLocalServer server_;
    Activation on_activation_;
};

}  // namespace velk::desktop

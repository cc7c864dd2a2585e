#include "hosts/qt/qt_launcher.h"

#include <QFileInfo>
#include <QProcess>
#include <QString>

#include "base/codepage.h"

namespace velk::desktop {

bool QtLauncher::Run(std::string_view file, std::string_view parameters) {
    const std::optional<std::string> native = files_.ResolveNative(file);
    const QString arguments = QString::fromStdString(Cp1252ToUtf8(parameters));
    if (native) {
        const QString path = QString::fromStdString(*native);
        const QFileInfo info(path);
        if (info.isFile() && info.isExecutable()) {
            return QProcess::startDetached(path, QProcess::splitCommand(arguments));
        }
        if (info.exists()) return QProcess::startDetached("xdg-open", {path});
    }
    // Not a file of this machine: perhaps a web address, which the opener understands.
    return QProcess::startDetached("xdg-open", {QString::fromStdString(Cp1252ToUtf8(file))});
}

}  // namespace velk::desktop

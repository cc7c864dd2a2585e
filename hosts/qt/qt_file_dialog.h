// The file dialogs a presentation opens (choosing a list file, a video), as Qt's QFileDialog.
// The core asks with the old dialogs' filter text and Windows-form paths in the code page; the
// dialog shows Qt's name filters and native names, and the path chosen comes back through the
// file system, which remembers its native form.
#pragma once

#include <QStringList>
#include <optional>
#include <string_view>

#include "host/host.h"

class QFileDialog;

namespace velk::desktop {

// "Desc|*.a;*.b|All Files (*.*)|*.*||" as Qt's name filters: {"Desc (*.a *.b)", "All Files (*)"}.
// A description that already ends with its patterns in parentheses shows them once; "*.*",
// which the old dialogs matched against every name, becomes "*".
QStringList QtNameFilters(std::string_view filter);

// Sets `dialog` up for `request`: open or save, filters, default extension, the initial folder
// and name, must-exist and overwrite prompt.
void SetUpFileDialog(QFileDialog& dialog, const host::FileDialog& request,
                     const host::FileSystem* files);

// What an accepted `dialog` gives: the path through `files` (FromUserPath; without a file
// system only put into the code page) and the filter pair selected, from 1.
std::optional<host::FileChoice> ChoiceOf(const QFileDialog& dialog, host::FileSystem* files);

}  // namespace velk::desktop

#include "hosts/qt/qt_file_dialog.h"

#include <QFileDialog>

#include "base/codepage.h"
#include "host/file_filter.h"

namespace velk::desktop {
namespace {

QString FromCodePage(std::string_view text) {
    return QString::fromStdString(Cp1252ToUtf8(text));
}

// The description without a last "(...)" that lists patterns: Qt shows the patterns itself.
QString BareDescription(QString description) {
    description = description.trimmed();
    if (description.endsWith(u')')) {
        const qsizetype open = description.lastIndexOf(u'(');
        if (open >= 0 && description.indexOf(u'*', open) >= 0) {
            description = description.left(open).trimmed();
        }
    }
    return description;
}

QStringList Patterns(const QString& patterns) {
    QStringList list;
    for (QString pattern : patterns.split(u';', Qt::SkipEmptyParts)) {
        pattern = pattern.trimmed();
        if (pattern.isEmpty()) continue;
        list.push_back(pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
    }
    return list;
}

}  // namespace

QStringList QtNameFilters(std::string_view filter) {
    QStringList filters;
    for (const host::FilterPair& pair : host::SplitFileFilter(filter)) {
        const QStringList patterns = Patterns(FromCodePage(pair.patterns));
        if (patterns.isEmpty()) continue;
        const QString joined = patterns.join(u' ');
        QString description = BareDescription(FromCodePage(pair.description));
        if (description.isEmpty()) description = joined;
        filters.push_back(description + QStringLiteral(" (") + joined + u')');
    }
    return filters;
}

void SetUpFileDialog(QFileDialog& dialog, const host::FileDialog& request,
                     const host::FileSystem* files) {
    const bool save = request.purpose == host::FileDialog::Purpose::kSave;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!save && request.file_must_exist ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwrite_prompt);
    if (!request.title.empty()) dialog.setWindowTitle(FromCodePage(request.title));
    const QStringList filters = QtNameFilters(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(FromCodePage(request.default_extension));
    // The initial name's folder, when it has one, opens as the dialog's folder.
    const std::string_view initial = request.initial_file;
    const std::size_t slash = initial.find_last_of("\\/");
    if (slash != std::string_view::npos && files != nullptr) {
        const std::string folder = files->ShownPath(initial.substr(0, slash + 1));
        if (!folder.empty() && folder.front() == '/') {
            dialog.setDirectory(QString::fromStdString(folder));
        }
    }
    const std::string_view name =
        slash == std::string_view::npos ? initial : initial.substr(slash + 1);
    if (!name.empty()) dialog.selectFile(FromCodePage(name));
}

std::optional<host::FileChoice> ChoiceOf(const QFileDialog& dialog, host::FileSystem* files) {
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
    const std::string native = chosen.front().toStdString();
    host::FileChoice choice;
    choice.path = files != nullptr ? files->FromUserPath(native) : Utf8ToCp1252BestFit(native);
    const qsizetype index = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
    choice.filter_index = index >= 0 ? static_cast<std::int32_t>(index) + 1 : 1;
    return choice;
}

}  // namespace velk::desktop

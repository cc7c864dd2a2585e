// Message boxes on the desktop. Texts arrive as code-page bytes and are shown as Unicode; the
// box runs its own event loop, so the presentation's timers go on behind it.
#pragma once

#include <QProgressDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "host/host.h"

class QWidget;

namespace velk::desktop {

// One box as it is shown: caption and text already in UTF-8.
struct MessageBoxRequest {
    std::string caption;
    std::string text;
    host::MessageButtons buttons = host::MessageButtons::kOk;
    host::MessageIcon icon = host::MessageIcon::kNone;
};

// Shows a box and returns the answer. The default shows a QMessageBox; tests put a function
// here that answers without blocking.
using MessageBoxFunction = std::function<host::MessageAnswer(const MessageBoxRequest&)>;

// Asks the user for a project file to play: its path (UTF-8), or nothing when cancelled. The
// default shows a file dialog; tests answer through this.
using ProjectChooserFunction = std::function<std::optional<std::string>()>;

class QtUi : public host::Ui {
  public:
    explicit QtUi(MessageBoxFunction show = {}, ProjectChooserFunction choose = {});

    // The window the boxes belong to (they stay above it); none before it exists.
    void SetParent(QWidget* parent) { parent_ = parent; }
    // Where the paths chosen in file dialogs are remembered in their native form.
    void SetFiles(host::FileSystem* files) { files_ = files; }

    // A progress window that appears only when reading the project goes on for more than half
    // a second, and goes at 1000.
    void LoadProgress(std::uint32_t permille) override;
    // The progress window while one is open (tests look at it).
    QProgressDialog* ProgressWindow() const { return progress_.get(); }

    host::MessageAnswer Ask(std::string_view caption, std::string_view text,
                            host::MessageButtons buttons, host::MessageIcon icon) override;
    // The file's native name exactly, whatever the code page holds.
    void MessageNamingFile(std::string_view caption, std::string_view before,
                           std::string_view shown_file, std::string_view after) override;

    // A QFileDialog (qt_file_dialog.h), modal over the presentation's window.
    std::optional<host::FileChoice> ChooseFile(const host::FileDialog& dialog) override;
    // The song list editor (qt_list_editor.h), modal over the presentation's window.
    std::optional<std::vector<std::string>> EditList(const host::ListEditor& editor) override;

    // The player started without a project: which one to play. A file dialog that shows
    // project files (*.vkd), or all files if the user wants; it has no parent, since the
    // presentation's window is not shown yet.
    std::optional<std::string> ChooseProjectFile();

  private:
    MessageBoxFunction show_;
    ProjectChooserFunction choose_;
    QWidget* parent_ = nullptr;
    host::FileSystem* files_ = nullptr;
    std::unique_ptr<QProgressDialog> progress_;
};

// The modal QMessageBox for `request`: one button per answer offered, Escape or closing the box
// giving Cancel where there is one and else the last button.
host::MessageAnswer ShowQMessageBox(QWidget* parent, const MessageBoxRequest& request);

}  // namespace velk::desktop

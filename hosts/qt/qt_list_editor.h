// The song list editor on the desktop: a small modal dialog "List" over a copy of the entries,
// with Remove, Rem All, Load, Save, OK and Cancel; files dropped on it are appended. Load and
// Save are the core's (host::ListEditor): they choose and read or write a list file.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "host/host.h"

class QListWidget;
class QPushButton;

namespace velk::desktop {

class ListEditorDialog : public QDialog {
    Q_OBJECT

  public:
    // `files` turns dropped files' native paths into the core's (none: only the code page).
    ListEditorDialog(const host::ListEditor& editor, host::FileSystem* files,
                     QWidget* parent = nullptr);

    // The dialog's own copy of the entries, as shown.
    const std::vector<std::string>& Entries() const { return entries_; }
    QListWidget& List() const { return *list_; }
    // The buttons by their caption: "Remove", "Rem All", "Load", "Save", "OK", "Cancel".
    QPushButton* Button(const QString& caption) const;

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void Refill();
    void RemoveSelected();
    void RemoveAll();
    void Load();
    void Save();

    const host::ListEditor& editor_;
    host::FileSystem* files_;
    std::vector<std::string> entries_;
    QListWidget* list_ = nullptr;
};

}  // namespace velk::desktop

// The song list editor on the desktop: its controls, its buttons on its own copy of the entries,
// dropped files, and OK or Cancel through the Ui.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <deque>

#include "hosts/posix/posix_file_system.h"
#include "hosts/qt/qt_list_editor.h"
#include "hosts/qt/qt_ui.h"

namespace velk::desktop {
namespace {

using Entries = std::vector<std::string>;

class FakeEditor : public host::ListEditor {
  public:
    explicit FakeEditor(std::vector<std::string> entries) : entries_(std::move(entries)) {}
    const std::vector<std::string>& Entries() const override { return entries_; }
    std::optional<std::vector<std::string>> Load() const override {
        if (loads.empty()) return std::nullopt;
        auto loaded = loads.front();
        loads.pop_front();
        return loaded;
    }
    void Save(std::span<const std::string> entries) const override {
        saved.emplace_back(entries.begin(), entries.end());
    }

    mutable std::deque<std::optional<std::vector<std::string>>> loads;
    mutable std::vector<std::vector<std::string>> saved;

  private:
    std::vector<std::string> entries_;
};

QStringList Rows(const QListWidget& list) {
    QStringList rows;
    for (int i = 0; i < list.count(); ++i) rows.push_back(list.item(i)->text());
    return rows;
}

void Drop(QWidget& target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

TEST(QtListEditor, ButtonsWorkOnTheDialogsOwnCopy) {
    const FakeEditor editor({"C:\\a.mp3", "C:\\Caf\xE9.mp3", "C:\\c.mp3"});
    posix::PosixFileSystem files;
    ListEditorDialog dialog(editor, &files);
    EXPECT_EQ(dialog.windowTitle(), "List");
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) labels.push_back(label->text());
    EXPECT_TRUE(labels.contains("List:"));
    EXPECT_TRUE(labels.contains("Drag & Drop files from Explorer..."));
    for (const char* caption : {"Remove", "Rem All", "Load", "Save", "OK", "Cancel"}) {
        EXPECT_NE(dialog.Button(caption), nullptr) << caption;
    }
    EXPECT_EQ(Rows(dialog.List()),
              QStringList({"C:\\a.mp3", QString::fromUtf8("C:\\Caf\u00E9.mp3"), "C:\\c.mp3"}));

    // Remove needs a selected row.
    dialog.List().clearSelection();
    dialog.Button("Remove")->click();
    EXPECT_EQ(dialog.Entries().size(), 3u);
    dialog.List().setCurrentRow(1);
    dialog.Button("Remove")->click();
    EXPECT_EQ(dialog.Entries(), (Entries{"C:\\a.mp3", "C:\\c.mp3"}));
    EXPECT_EQ(Rows(dialog.List()), QStringList({"C:\\a.mp3", "C:\\c.mp3"}));
    dialog.List().setCurrentRow(1);
    dialog.Button("Remove")->click();
    EXPECT_EQ(dialog.Entries(), Entries{"C:\\a.mp3"});

    dialog.Button("Save")->click();
    ASSERT_EQ(editor.saved.size(), 1u);
    EXPECT_EQ(editor.saved[0], Entries{"C:\\a.mp3"});

    // Dropped files are appended with their whole paths, in the code page's form.
    Drop(dialog, {QUrl::fromLocalFile(QString::fromUtf8("/tmp/\u0428\u043e\u0443/x.mp3")),
                  QUrl(QStringLiteral("https://example.invalid/y.mp3")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/z.mp3"))});
    EXPECT_EQ(dialog.Entries(), (Entries{"C:\\a.mp3", "/tmp/\?\?\?/x.mp3", "/tmp/z.mp3"}));
    EXPECT_EQ(dialog.List().count(), 3);

    // Load: a cancelled file dialog keeps the entries; a loaded list replaces them.
    editor.loads = {std::nullopt, Entries{"D:\\l1.mp3", "D:\\l2.mp3"}};
    dialog.Button("Load")->click();
    EXPECT_EQ(dialog.Entries().size(), 3u);
    dialog.Button("Load")->click();
    EXPECT_EQ(dialog.Entries(), (Entries{"D:\\l1.mp3", "D:\\l2.mp3"}));
    EXPECT_EQ(Rows(dialog.List()), QStringList({"D:\\l1.mp3", "D:\\l2.mp3"}));

    dialog.Button("Rem All")->click();
    EXPECT_TRUE(dialog.Entries().empty());
    EXPECT_EQ(dialog.List().count(), 0);
    // Nothing to save: no dialog.
    dialog.Button("Save")->click();
    EXPECT_EQ(editor.saved.size(), 1u);
    // The song list itself is the core's; the editor never touched it.
    EXPECT_EQ(editor.Entries().size(), 3u);
}

// Clicks `caption` on the next modal editor after `act`, from inside its event loop.
class EditorClicker {
  public:
    EditorClicker(std::function<void(ListEditorDialog&)> act, QString caption)
        : act_(std::move(act)), caption_(std::move(caption)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<ListEditorDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            timer_.stop();
            act_(*dialog);
            dialog->Button(caption_)->click();
        });
        timer_.start();
    }

  private:
    std::function<void(ListEditorDialog&)> act_;
    QString caption_;
    QTimer timer_;
};

TEST(QtListEditor, OkGivesTheEditedEntriesCancelNone) {
    const FakeEditor editor({"a.mp3", "b.mp3"});
    QtUi ui;
    {
        EditorClicker ok(
            [](ListEditorDialog& dialog) {
                dialog.List().setCurrentRow(0);
                dialog.Button("Remove")->click();
            },
            "OK");
        EXPECT_EQ(ui.EditList(editor), Entries{"b.mp3"});
    }
    {
        EditorClicker cancel([](ListEditorDialog& dialog) { dialog.Button("Rem All")->click(); },
                             "Cancel");
        EXPECT_EQ(ui.EditList(editor), std::nullopt);
    }
}

}  // namespace
}  // namespace velk::desktop

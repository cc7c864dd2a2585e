// The file dialogs of the desktop: the old filter text as Qt's, and a QFileDialog answered as a
// user would answer it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "hosts/posix/posix_file_system.h"
#include "hosts/qt/qt_file_dialog.h"
#include "hosts/qt/qt_ui.h"

namespace velk::desktop {
namespace {

TEST(QtFileDialog, OldFilterTextBecomesQtNameFilters) {
    const struct {
        const char* filter;
        QStringList expected;
    } cases[] = {
        {"MP3List file (*.m3l)|*.m3l|All Files (*.*)|*.*||",
         {"MP3List file (*.m3l)", "All Files (*)"}},
        {"Video Files|*.avi;*.mpg; *.mov|", {"Video Files (*.avi *.mpg *.mov)"}},
        // The patterns shown are the ones that apply, not the description's.
        {"Pictures (*.bmp)|*.bmp;*.jpg||", {"Pictures (*.bmp *.jpg)"}},
        // A parenthesis that lists no patterns belongs to the description.
        {"Lists (old)|*.m3l||", {"Lists (old) (*.m3l)"}},
        {"(*.txt)|*.txt||", {"*.txt (*.txt)"}},
        // Code-page text.
        {"Caf\xE9 lists|*.m3l||", {QString::fromUtf8("Caf\u00E9 lists (*.m3l)")}},
        {"A|*.a||B|*.b||", {"A (*.a)"}},
        {"A|;||", {}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(QtNameFilters(c.filter), c.expected) << c.filter;
}

// Does `act` to the next modal file dialog, from inside its own event loop.
class FileDialogAnswerer {
  public:
    explicit FileDialogAnswerer(std::function<void(QFileDialog&)> act) : act_(std::move(act)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            timer_.stop();
            act_(*dialog);
        });
        timer_.start();
    }

  private:
    std::function<void(QFileDialog&)> act_;
    QTimer timer_;
};

TEST(QtFileDialog, ReturnsThePathAndTheFilterPairChosen) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString existing = folder.filePath(QString::fromUtf8("\u0428\u043e\u0443.m3u"));
    {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    posix::PosixFileSystem files;
    QtUi ui;
    ui.SetFiles(&files);

    host::FileDialog open;
    open.filter = "MP3List file (*.m3l)|*.m3l|M3U playlist (*.m3u)|*.m3u|All Files (*.*)|*.*||";
    open.default_extension = "tch";
    open.file_must_exist = true;
    open.title = "Load";
    QStringList seen_filters;
    QString seen_title;
    {
        FileDialogAnswerer answer([&](QFileDialog& dialog) {
            seen_filters = dialog.nameFilters();
            seen_title = dialog.windowTitle();
            EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
            EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
            EXPECT_EQ(dialog.defaultSuffix(), "tch");
            dialog.selectNameFilter(dialog.nameFilters().at(1));
            dialog.selectFile(existing);
            static_cast<QDialog&>(dialog).accept();  // as the Open or Save button
        });
        const auto choice = ui.ChooseFile(open);
        ASSERT_TRUE(choice.has_value());
        EXPECT_EQ(choice->filter_index, 2);
        // The code page's best fit of the name; the file system leads it back to the file.
        EXPECT_EQ(files.ShownPath(choice->path), existing.toStdString());
        EXPECT_TRUE(files.ReadFile(choice->path).has_value());
    }
    EXPECT_EQ(seen_filters,
              QStringList({"MP3List file (*.m3l)", "M3U playlist (*.m3u)", "All Files (*)"}));
    EXPECT_EQ(seen_title, "Load");

    // Saving: a new name takes the default extension; no overwrite prompt was asked for.
    host::FileDialog save;
    save.purpose = host::FileDialog::Purpose::kSave;
    save.filter = "MP3List file (*.m3l)|*.m3l|All Files (*.*)|*.*||";
    save.default_extension = "tch";
    {
        FileDialogAnswerer answer([&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
            EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
            dialog.selectFile(folder.filePath("mine"));
            static_cast<QDialog&>(dialog).accept();  // as the Open or Save button
        });
        const auto choice = ui.ChooseFile(save);
        ASSERT_TRUE(choice.has_value());
        EXPECT_EQ(choice->path, folder.filePath("mine.tch").toStdString());
        EXPECT_EQ(choice->filter_index, 1);
    }
    save.overwrite_prompt = true;
    {
        FileDialogAnswerer answer([&](QFileDialog& dialog) {
            EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
            dialog.reject();
        });
        EXPECT_FALSE(ui.ChooseFile(save).has_value());
    }
}

}  // namespace
}  // namespace velk::desktop

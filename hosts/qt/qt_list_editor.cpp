#include "hosts/qt/qt_list_editor.h"

#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "base/codepage.h"

namespace velk::desktop {
namespace {

// The dialog's old size, 209 x 158 dialog units of its 8-point font, in pixels.
constexpr int kWidth = 314;
constexpr int kHeight = 257;
// Item data: the entry's position, as the old list box kept it beside each row.
constexpr int kPositionRole = Qt::UserRole;

QPushButton* AddButton(QWidget* parent, const QString& caption, QVBoxLayout& column) {
    auto* button = new QPushButton(caption, parent);  // owned by `parent`
    button->setAutoDefault(false);
    column.addWidget(button);
    return button;
}

}  // namespace

ListEditorDialog::ListEditorDialog(const host::ListEditor& editor, host::FileSystem* files,
                                   QWidget* parent)
    : QDialog(parent), editor_(editor), files_(files), entries_(editor.Entries()) {
    setWindowTitle(QStringLiteral("List"));
    setAcceptDrops(true);
    resize(kWidth, kHeight);

    // Qt's widgets belong to their parents; the dialog owns them all.
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("List:"), this), 0, 0);
    list_ = new QListWidget(this);
    list_->setSortingEnabled(false);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->setAcceptDrops(false);  // drops go to the dialog
    grid->addWidget(list_, 1, 0);
    auto* column = new QVBoxLayout();
    connect(AddButton(this, QStringLiteral("Remove"), *column), &QPushButton::clicked, this,
            &ListEditorDialog::RemoveSelected);
    connect(AddButton(this, QStringLiteral("Rem All"), *column), &QPushButton::clicked, this,
            &ListEditorDialog::RemoveAll);
    connect(AddButton(this, QStringLiteral("Load"), *column), &QPushButton::clicked, this,
            &ListEditorDialog::Load);
    connect(AddButton(this, QStringLiteral("Save"), *column), &QPushButton::clicked, this,
            &ListEditorDialog::Save);
    column->addStretch();
    grid->addLayout(column, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Drag & Drop files from Explorer..."), this), 2, 0);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 2, 1);
    Refill();
}

QPushButton* ListEditorDialog::Button(const QString& caption) const {
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->text() == caption) return button;
    }
    return nullptr;
}

void ListEditorDialog::Refill() {
    list_->clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(Cp1252ToUtf8(entries_[i])), list_);
        item->setData(kPositionRole, static_cast<qulonglong>(i));
    }
}

void ListEditorDialog::RemoveSelected() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) return;
    const QListWidgetItem* item = selected.front();
    const auto position = static_cast<std::size_t>(item->data(kPositionRole).toULongLong());
    if (position >= entries_.size()) return;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
    Refill();
}

void ListEditorDialog::RemoveAll() {
    entries_.clear();
    Refill();
}

void ListEditorDialog::Load() {
    if (auto loaded = editor_.Load()) {
        entries_ = std::move(*loaded);
        Refill();
    }
}

void ListEditorDialog::Save() {
    if (!entries_.empty()) editor_.Save(entries_);
}

void ListEditorDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void ListEditorDialog::dropEvent(QDropEvent* event) {
    bool added = false;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) continue;
        const std::string native = url.toLocalFile().toStdString();
        entries_.push_back(files_ != nullptr ? files_->FromUserPath(native)
                                             : Utf8ToCp1252BestFit(native));
        added = true;
    }
    if (added) {
        Refill();
        event->acceptProposedAction();
    }
}

}  // namespace velk::desktop

#include "hosts/qt/qt_ui.h"

#include <QFileDialog>
#include <QMessageBox>

#include "base/codepage.h"
#include "hosts/qt/qt_file_dialog.h"
#include "hosts/qt/qt_list_editor.h"

namespace velk::desktop {

namespace {

using host::MessageAnswer;

// A reading shorter than this shows no progress window.
constexpr int kProgressDelayMs = 500;
constexpr int kLoadDone = 1000;
using host::MessageButtons;

struct ButtonChoice {
    QMessageBox::StandardButton button;
    MessageAnswer answer;
};

std::vector<ButtonChoice> ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::kOk:
            return {{QMessageBox::Ok, MessageAnswer::kOk}};
        case MessageButtons::kOkCancel:
            return {{QMessageBox::Ok, MessageAnswer::kOk},
                    {QMessageBox::Cancel, MessageAnswer::kCancel}};
        case MessageButtons::kYesNo:
            return {{QMessageBox::Yes, MessageAnswer::kYes}, {QMessageBox::No, MessageAnswer::kNo}};
        case MessageButtons::kYesNoCancel:
            return {{QMessageBox::Yes, MessageAnswer::kYes},
                    {QMessageBox::No, MessageAnswer::kNo},
                    {QMessageBox::Cancel, MessageAnswer::kCancel}};
    }
    return {{QMessageBox::Ok, MessageAnswer::kOk}};
}

QMessageBox::Icon IconOf(host::MessageIcon icon) {
    switch (icon) {
        case host::MessageIcon::kNone:
            return QMessageBox::NoIcon;
        case host::MessageIcon::kInformation:
            return QMessageBox::Information;
        case host::MessageIcon::kWarning:
            return QMessageBox::Warning;
        case host::MessageIcon::kError:
            return QMessageBox::Critical;
        case host::MessageIcon::kQuestion:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Where there is a Cancel button it is the way out; otherwise the last button is.
MessageAnswer EscapeAnswer(const std::vector<ButtonChoice>& choices) {
    for (const auto& c : choices) {
        if (c.answer == MessageAnswer::kCancel) return c.answer;
    }
    return choices.back().answer;
}

}  // namespace

QtUi::QtUi(MessageBoxFunction show, ProjectChooserFunction choose)
    : show_(std::move(show)), choose_(std::move(choose)) {}

std::optional<std::string> QtUi::ChooseProjectFile() {
    if (choose_) return choose_();
    const QString path =
        QFileDialog::getOpenFileName(nullptr, QStringLiteral("Open a presentation"), QString(),
                                     QStringLiteral("Presentations (*.vkd);;All files (*)"));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<host::FileChoice> QtUi::ChooseFile(const host::FileDialog& request) {
    // Like the message boxes, the dialog lives on the stack: its parent outlives it.
    QFileDialog dialog(parent_);
    SetUpFileDialog(dialog, request, files_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ChoiceOf(dialog, files_);
}

std::optional<std::vector<std::string>> QtUi::EditList(const host::ListEditor& editor) {
    ListEditorDialog dialog(editor, files_, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Entries();
}

void QtUi::LoadProgress(std::uint32_t permille) {
    if (permille >= kLoadDone) {
        progress_.reset();
        return;
    }
    if (!progress_) {
        progress_ = std::make_unique<QProgressDialog>(
            QStringLiteral("Opening the presentation\u2026"), QString(), 0, kLoadDone, parent_);
        progress_->setWindowTitle(QStringLiteral("Velk Player"));
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->setMinimumDuration(kProgressDelayMs);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
    }
    // Modal, the dialog handles pending events here, so it shows and paints while the reading
    // goes on.
    progress_->setValue(static_cast<int>(permille));
}

host::MessageAnswer QtUi::Ask(std::string_view caption, std::string_view text,
                              host::MessageButtons buttons, host::MessageIcon icon) {
    const MessageBoxRequest request{Cp1252ToUtf8(caption), Cp1252ToUtf8(text), buttons, icon};
    if (show_) return show_(request);
    return ShowQMessageBox(parent_, request);
}

void QtUi::MessageNamingFile(std::string_view caption, std::string_view before,
                             std::string_view shown_file, std::string_view after) {
    std::string text = Cp1252ToUtf8(before);
    text += shown_file;
    text += Cp1252ToUtf8(after);
    const MessageBoxRequest request{Cp1252ToUtf8(caption), std::move(text), MessageButtons::kOk,
                                    host::MessageIcon::kNone};
    if (show_) {
        show_(request);
    } else {
        ShowQMessageBox(parent_, request);
    }
}

host::MessageAnswer ShowQMessageBox(QWidget* parent, const MessageBoxRequest& request) {
    const std::vector<ButtonChoice> choices = ButtonsOf(request.buttons);
    // The parent (the presentation window) lives as long as the host, so the box can live on
    // the stack even when an action list run during it closes the presentation.
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromUtf8(request.caption));
    box.setText(QString::fromUtf8(request.text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(IconOf(request.icon));
    for (const auto& c : choices) box.addButton(c.button);
    box.setDefaultButton(choices.front().button);
    const MessageAnswer escape = EscapeAnswer(choices);
    for (const auto& c : choices) {
        if (c.answer == escape) box.setEscapeButton(c.button);
    }
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const auto& c : choices) {
        if (c.button == clicked) return c.answer;
    }
    return escape;
}

}  // namespace velk::desktop

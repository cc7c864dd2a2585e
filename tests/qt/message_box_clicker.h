// Answers the next modal QMessageBox from inside its own event loop, as a user would, and
// remembers what it showed.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <optional>

namespace velk::desktop {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Clicks `button` on the next box, or presses Escape there when `button` is NoButton.
class MessageBoxClicker {
  public:
    explicit MessageBoxClicker(QMessageBox::StandardButton button) : button_(button) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    const std::optional<SeenBox>& Seen() const { return seen_; }

  private:
    void Poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        timer_.stop();
        seen_ = SeenBox{box->windowTitle(), box->text(), box->icon()};
        if (button_ == QMessageBox::NoButton) {
            box->reject();  // what Escape and the close box do
        } else {
            box->button(button_)->click();
        }
    }

    QMessageBox::StandardButton button_;
    QTimer timer_;
    std::optional<SeenBox> seen_;
};

}  // namespace velk::desktop

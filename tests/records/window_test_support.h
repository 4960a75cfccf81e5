#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace tessalo::test {

// Types `text` character by character as a keyboard layout would, also letters that have no key
// of their own on the test's keyboard.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &release);
    }
}

// Answers the modal windows that open while it lives, each with the next answer in turn. A modal
// window nobody expected, or one its answer left open, fails the test and is closed, so a test
// never hangs on it.
class ModalAnswers {
  public:
    using Answer = std::function<void(QWidget& modal)>;

    ModalAnswers() { lookSoon(); }
    ~ModalAnswers() { EXPECT_TRUE(answers_.empty()) << answers_.size() << " modal(s) never came"; }

    void then(Answer answer) { answers_.push_back(std::move(answer)); }
    int answered() const { return answered_; }

  private:
    // Single shots bound to `guard_`, so none fires after the answers are gone.
    void lookSoon() {
        QTimer::singleShot(5, &guard_, [this] {
            look();
            lookSoon();
        });
    }

    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        // The loading dialog asks nothing and closes by itself once the pictures are read.
        if (modal == nullptr || modal == last_ || modal->windowTitle() == "Wait. Loading...")
            return;
        last_ = modal;
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected modal window \"" << modal->windowTitle().toStdString()
                          << "\"";
            modal->close();
            return;
        }
        Answer answer = std::move(answers_.front());
        answers_.pop_front();
        ++answered_;
        const QPointer<QWidget> answering = modal;
        answer(*modal);
        // An answer that stopped at a failed assertion must not leave the test waiting.
        if (answering && answering->isVisible()) {
            ADD_FAILURE() << "the answer left \"" << answering->windowTitle().toStdString()
                          << "\" open";
            answering->close();
        }
    }

    QObject guard_;
    QPointer<QWidget> last_;
    std::deque<Answer> answers_;
    int answered_ = 0;
};

} // namespace tessalo::test

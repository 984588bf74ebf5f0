#pragma once
// Helpers for tests of the real window: points of the canvas in widget pixels, answering a modal
// window once it is shown, and screenshots of what the display shows.

#include "app/views/canvas_view.h"
#include "app/views/main_window.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPoint>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>
#include <vector>

// The widget pixel of the canvas at a point in canvas units.
inline QPoint CanvasPixel(MainWindow& w, double x, double y) {
    const Surface& back = w.session().canvas.Picture2;
    return QPoint(static_cast<int>(x / back.UnitsPerLogicalPixelX() + 0.5),
                  static_cast<int>(y / back.UnitsPerLogicalPixelY() + 0.5));
}

// Answers the modal windows that the test's next calls open, one answer for each in turn, once
// it is on the screen (a window that has been answered must be gone before the next counts).
// Fails the test when one does not appear within five seconds.
inline void AnswerModals(std::vector<std::function<void(QWidget*)>> answers) {
    struct Script {
        std::vector<std::function<void(QWidget*)>> answers;
        std::size_t next = 0;
        QPointer<QWidget> answered;
        QElapsedTimer waited;
    };
    auto* timer = new QTimer(qApp);  // goes with the application at the latest
    auto script = std::make_shared<Script>();
    script->answers = std::move(answers);
    script->waited.start();
    QObject::connect(timer, &QTimer::timeout, [timer, script] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool fresh = modal && !script->answered && modal->isVisible();
        if (!fresh) {
            if (script->waited.elapsed() < 5000) return;
            ADD_FAILURE() << "modal window " << script->next + 1 << " did not appear";
            timer->stop();
            timer->deleteLater();
            return;
        }
        script->answered = modal;
        script->waited.restart();
        const std::size_t n = script->next++;
        if (script->next == script->answers.size()) {
            timer->stop();
            timer->deleteLater();
        }
        script->answers[n](modal);
    });
    timer->start(20);
}

inline void AnswerModal(std::function<void(QWidget*)> answer) {
    AnswerModals({std::move(answer)});
}

// Lays the sample diagram in a program folder, as it lies beside the program, for サンプルデータ.
inline void PutTheSampleIn(const QTemporaryDir& folder) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLRUN_SOURCE_DIR "/data/testData5.qrn"),
                            folder.filePath(QStringLiteral("testData5.qrn"))));
}

// Shows the window and gives it the keyboard, as a person's click on it would.
inline void ShowActive(QWidget& w) {
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

// Moves the pointer over widget to at, as the person's mouse does: the display reports the move
// to the program, which the test waits for.
inline void MoveTo(QWidget* widget, QPoint at) {
    QTest::mouseMove(widget, at);
    QElapsedTimer waited;
    waited.start();
    while (QCursor::pos() != widget->mapToGlobal(at) && waited.elapsed() < 1000) QTest::qWait(5);
    QTest::qWait(30);  // the motion event itself
}

// A double click as the display reports one: press, release, the second press as a double
// click, release.
inline void DoubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

// Lets the display catch up with what the window drew.
inline void Settle(QWidget& w) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(20);
    }
}

// What the display shows of the window, saved as name.png in QUILLRUN_SCREENSHOTS if set (and
// a name is given).
inline QImage Screenshot(QWidget& w, const QString& name) {
    Settle(w);
    const QPixmap shot = w.screen()->grabWindow(w.winId());
    const QString folder = qEnvironmentVariable("QUILLRUN_SCREENSHOTS");
    if (!folder.isEmpty() && !name.isEmpty()) {
        QDir().mkpath(folder);
        shot.save(QDir(folder).filePath(name + QStringLiteral(".png")));
    }
    return shot.toImage();
}

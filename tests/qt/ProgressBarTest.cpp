#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "platform/CProgress.h"
#include "qt/CQtPlatform.h"
#include "qt/CQtProgress.h"

namespace kv {
namespace {

using namespace std::chrono_literals;

class ProgressBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pPrevious = SetPlatform(&m_platform.Platform());
        m_previousDelay = CProgress::SetShowDelay(0ms);
        m_pEdit = new QLineEdit(&m_window);
        m_window.setCentralWidget(m_pEdit);
        m_platform.SetMainWindow(&m_window);
        m_window.show();
        QApplication::processEvents();
    }
    void TearDown() override {
        m_platform.SetMainWindow(nullptr);
        CProgress::SetShowDelay(m_previousDelay);
        SetPlatform(m_pPrevious);
    }
    // The next step after the update interval.
    static void Later(CProgress& progress, uint64_t done) {
        std::this_thread::sleep_for(110ms);
        progress.Step(done, 100);
    }
    static void Click(QWidget* widget) {
        const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QApplication::postEvent(widget, new QMouseEvent(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
    }

    QMainWindow m_window;
    QLineEdit* m_pEdit = nullptr;
    CQtPlatform m_platform;
    CPlatform* m_pPrevious = nullptr;
    std::chrono::milliseconds m_previousDelay{};
};

TEST_F(ProgressBarTest, ShowsTheTextThePercentageAndABarUntilTheOperationEnds) {
    {
        CProgress progress("Transforming 65536 points starting at 0.");
        progress.Step(45, 100);
        CQtProgress* shown = m_platform.Progress();
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->Bar()->isVisible());
        EXPECT_TRUE(shown->CancelButton()->isVisible());
        EXPECT_EQ(shown->Bar()->value(), 45);
        EXPECT_EQ(m_window.statusBar()->currentMessage(), "Transforming 65536 points starting at 0. 45%");
        Later(progress, 80);
        EXPECT_EQ(shown->Bar()->value(), 80);
    }
    EXPECT_FALSE(m_platform.Progress()->Bar()->isVisible());
    EXPECT_FALSE(m_platform.Progress()->CancelButton()->isVisible());
}

TEST_F(ProgressBarTest, EscapeOrCancelStopsTheOperationAndOtherInputWaits) {
    for (int way = 0; way < 2; ++way) {
        bool stopped = false;
        try {
            CProgress progress("Reading");
            progress.Step(10, 100);
            if (way == 0)
                QApplication::postEvent(m_pEdit, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            else
                Click(m_platform.Progress()->CancelButton());
            QApplication::postEvent(m_pEdit, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
            Later(progress, 20);
        } catch (const COperationCancelled&) {
            stopped = true;
        }
        EXPECT_TRUE(stopped) << way;
        EXPECT_TRUE(m_pEdit->text().isEmpty()) << way;  // the key press was held back
        EXPECT_FALSE(m_platform.Progress()->IsShown());
    }
    // Afterwards input reaches the window again.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b");
    QApplication::sendEvent(m_pEdit, &key);
    EXPECT_EQ(m_pEdit->text(), "b");
}

}  // namespace
}  // namespace kv

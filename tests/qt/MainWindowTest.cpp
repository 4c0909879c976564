#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "data/CRefDlg.h"
#include "generate/CModDoc.h"
#include "qt/CMainWindow.h"
#include "qt/CQtDialog.h"
#include "qt/CQtPlatform.h"
#include "QtPrinters.h"

namespace kv {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { m_pPrevious = SetPlatform(&m_platform.Platform()); }
    void TearDown() override { SetPlatform(m_pPrevious); }

    CQtPlatform m_platform;
    CPlatform* m_pPrevious = nullptr;
};

TEST_F(MainWindowTest, StartsWithOneProjectWindowTitledKalvora1) {
    CMainWindow window(m_platform);
    window.show();
    window.NewProject();
    ASSERT_EQ(window.MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(window.MdiArea()->subWindowList().front()->windowTitle(), "Kalvora1");
    // A maximized project window shows its title in the caption.
    EXPECT_TRUE(window.windowTitle().startsWith("Kalvora")) << window.windowTitle().toStdString();
    EXPECT_EQ(window.statusBar()->currentMessage(), "Ready");
    ASSERT_EQ(window.Documents().size(), 1u);
    EXPECT_FALSE(window.Documents().front()->IsModified());
    EXPECT_TRUE(window.MdiArea()->subWindowList().front()->isMaximized());

    window.NewProject();
    ASSERT_EQ(window.MdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(window.MdiArea()->subWindowList().back()->windowTitle(), "Kalvora2");
}

TEST_F(MainWindowTest, CloseProjectEmptiesTheLastProjectButClosesOthers) {
    CMainWindow window(m_platform);
    window.show();
    CModDoc* first = window.NewProject();
    first->m_TimeData.Inphase().Append(1.0);
    first->m_TimeData.Quadrature().Append(0.0);
    CModDoc* second = window.NewProject();
    window.MdiArea()->setActiveSubWindow(window.MdiArea()->subWindowList().back());
    EXPECT_EQ(window.ActiveDocument(), second);
    window.CommandCloseProject();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(window.Documents().size(), 1u);
    EXPECT_EQ(window.MdiArea()->subWindowList().size(), 1);

    window.CommandCloseProject();
    QApplication::processEvents();
    ASSERT_EQ(window.Documents().size(), 1u);
    EXPECT_EQ(window.MdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(first->m_TimeData.IsEmpty());
    EXPECT_EQ(window.MdiArea()->subWindowList().front()->windowTitle(), "Kalvora1");
}

TEST_F(MainWindowTest, DecibelsDialogRefusesTextThatIsNotANumber) {
    CMainWindow window(m_platform);
    window.show();
    CModDoc* doc = window.NewProject();
    QString warning;
    bool sawDialog = false;
    const QString editName = QString("control%1").arg(CRefDlg::IDC_MIN_DB);

    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CQtDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        sawDialog = true;
        EXPECT_EQ(dialog->windowTitle(), "Decibel Options");
        auto* edit = dialog->findChild<QLineEdit*>(editName);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), "-130");
        edit->selectAll();
        QTest::keyClicks(edit, "abc");
        QTimer::singleShot(0, [&, dialog, edit] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            warning = box->text();
            box->button(QMessageBox::Ok)->click();
            QTimer::singleShot(0, [dialog, edit] {
                EXPECT_TRUE(dialog->isVisible());
                edit->selectAll();
                QTest::keyClicks(edit, "-90");
                dialog->accept();
            });
        });
        dialog->accept();
    });
    window.CommandDecibels();

    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(warning, "Enter a number.");
    EXPECT_EQ(doc->m_RefDlg.m_fMinDb, -90.0f);
    EXPECT_EQ(doc->m_FreqData.m_fMinDb, -90.0f);
    EXPECT_TRUE(doc->IsModified());
}

TEST(QtPlatform, ConvertsFileFilters) {
    EXPECT_EQ(CQtPlatform::ConvertFilter("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"),
              "Text Files (*.txt) (*.txt);;All Files (*.*) (*.*)");
    EXPECT_EQ(CQtPlatform::ConvertFilter("Data|*.dat;*.txt||"), "Data (*.dat *.txt)");
}

}  // namespace
}  // namespace kv

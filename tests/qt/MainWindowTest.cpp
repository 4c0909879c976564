#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "QtPrinters.h"
#include "app/CCommandTable.h"
#include "app/CModDoc.h"
#include "data/CRefDlg.h"
#include "plot/PlotCommands.h"
#include "qt/CListWindow.h"
#include "qt/CMainWindow.h"
#include "qt/CPlotWidget.h"
#include "qt/CProjectFrame.h"
#include "qt/CQtDialog.h"
#include "qt/CQtPlatform.h"

namespace kv {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pPrevious = SetPlatform(&m_platform.Platform());
        // Start every test with an empty recent file list.
        for (int i = 1; i <= 4; ++i) m_platform.SetString("Recent File List", "File" + std::to_string(i), "");
    }
    void TearDown() override { SetPlatform(m_pPrevious); }
    static void Settle() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    CQtPlatform m_platform;
    CPlatform* m_pPrevious = nullptr;
};

TEST_F(MainWindowTest, StartsWithOneProjectWindowTitledKalvora1) {
    CMainWindow window(m_platform);
    window.show();
    window.StartUp();
    ASSERT_EQ(window.MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(window.MdiArea()->subWindowList().front()->windowTitle(), "Kalvora1");
    // A maximized project window shows its title in the caption.
    EXPECT_TRUE(window.windowTitle().startsWith("Kalvora")) << window.windowTitle().toStdString();
    EXPECT_EQ(window.statusBar()->currentMessage(), "Ready");
    ASSERT_EQ(window.Documents().size(), 1u);
    EXPECT_FALSE(window.Documents().front()->IsModified());
    EXPECT_TRUE(window.MdiArea()->subWindowList().front()->isMaximized());
    auto* frame = qobject_cast<CProjectFrame*>(window.MdiArea()->subWindowList().front());
    ASSERT_NE(frame, nullptr);
    EXPECT_NE(qobject_cast<CPlotWidget*>(frame->widget()), nullptr);

    window.NewProject();
    ASSERT_EQ(window.MdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(window.MdiArea()->subWindowList().back()->windowTitle(), "Kalvora2");
}

TEST_F(MainWindowTest, MenusFollowTheCommandTableAndItsEnableRules) {
    CMainWindow window(m_platform);
    window.show();
    CModDoc* doc = window.NewProject();
    QAction* undo = window.CommandAction(CCommandTable::ID_UNDO);
    ASSERT_NE(undo, nullptr);
    EXPECT_EQ(undo->text(), "&Undo");
    EXPECT_EQ(undo->shortcut(), QKeySequence("Ctrl+Z"));
    CCmdUI ui(CCommandTable::ID_TIME_SCALE);
    ASSERT_TRUE(window.OnUpdateCommand(ui));
    EXPECT_FALSE(ui.m_bEnabled);  // no Time Data yet

    // Generate a waveform through the menu command with the dialog accepted.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CQtDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->accept();
    });
    window.OnCommand(CCommandTable::ID_GENERATE_WAVEFORM);
    EXPECT_FALSE(doc->m_TimeData.IsEmpty());
    CCmdUI scale(CCommandTable::ID_TIME_SCALE);
    window.OnUpdateCommand(scale);
    EXPECT_TRUE(scale.m_bEnabled);
    CCmdUI undoState(CCommandTable::ID_UNDO);
    window.OnUpdateCommand(undoState);
    EXPECT_TRUE(undoState.m_bEnabled);
    window.OnCommand(CCommandTable::ID_UNDO);
    EXPECT_TRUE(doc->m_TimeData.IsEmpty());
    // The plot's own commands reach the active plot.
    CCmdUI zoom(ID_ZOOM_TOP);
    EXPECT_TRUE(window.OnUpdateCommand(zoom));
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
    window.OnCommand(CCommandTable::ID_CLOSE_PROJECT);
    Settle();
    ASSERT_EQ(window.Documents().size(), 1u);
    EXPECT_EQ(window.MdiArea()->subWindowList().size(), 1);

    window.OnCommand(CCommandTable::ID_CLOSE_PROJECT);
    Settle();
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
    window.OnCommand(CCommandTable::ID_DECIBELS);

    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(warning, "Enter a number.");
    EXPECT_EQ(doc->m_RefDlg.m_fMinDb, -90.0f);
    EXPECT_EQ(doc->m_FreqData.m_fMinDb, -90.0f);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(MainWindowTest, SavedProjectsReopenAtStartUpAndFrequencyListsGetTheirWindow) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("kv_shell_" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string path = (dir / "saved.kvp").string();
    {
        CMainWindow window(m_platform);
        window.show();
        CModDoc* doc = window.NewProject();
        for (int i = 0; i < 64; ++i) {
            doc->m_FreqData.Inphase().Append(i == 5 ? 10.0 : 0.01);
            doc->m_FreqData.Quadrature().Append(0.0);
        }
        doc->m_FreqData.ResetRange();
        ASSERT_TRUE(doc->SaveProject(path));
        window.OnCommand(CCommandTable::ID_FREQ_SHOW_LIST);
        Settle();
        auto* list = qobject_cast<CListWindow*>(window.ActiveFrame()->widget());
        ASSERT_NE(list, nullptr);
        EXPECT_FALSE(list->toPlainText().isEmpty());
        EXPECT_FALSE(window.CommandAction(CMainWindow::ID_LIST_FONT) == nullptr);
        EXPECT_EQ(window.MdiArea()->subWindowList().size(), 2);
    }
    m_platform.SetString("Recent File List", "File1", path);
    CMainWindow again(m_platform);
    again.show();
    again.StartUp();
    ASSERT_EQ(again.Documents().size(), 1u);
    EXPECT_EQ(again.Documents().front()->GetPathName(), path);
    EXPECT_EQ(again.Documents().front()->m_FreqData.GetCount(), 64);
    EXPECT_EQ(again.MdiArea()->subWindowList().front()->windowTitle(), "saved.kvp");
    std::error_code ec;
    fs::remove_all(dir, ec);
}

TEST_F(MainWindowTest, AddPlotOpensMoreWindowsAndBringToFrontReusesThem) {
    CMainWindow window(m_platform);
    window.show();
    CModDoc* doc = window.NewProject();
    for (int i = 0; i < 32; ++i) {
        doc->m_TimeData.Inphase().Append(std::sin(0.3 * i));
        doc->m_TimeData.Quadrature().Append(0.0);
        doc->m_FreqData.Inphase().Append(i == 3 ? 1.0 : 0.0);
        doc->m_FreqData.Quadrature().Append(0.0);
    }
    doc->m_TimeData.ResetRange();
    doc->m_FreqData.ResetRange();
    auto plotData = [](QMdiSubWindow* sub) -> const CKalvoData* {
        auto* frame = qobject_cast<CProjectFrame*>(sub);
        auto* plot = frame ? qobject_cast<CPlotWidget*>(frame->widget()) : nullptr;
        return plot ? plot->Graph().GetGraphData() : nullptr;
    };

    window.OnCommand(CCommandTable::ID_VIEW_TIME_FRONT);
    Settle();
    ASSERT_EQ(window.MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(plotData(window.MdiArea()->subWindowList().front()), &doc->m_TimeData);

    window.OnCommand(CCommandTable::ID_VIEW_TIME_ADD);
    window.OnCommand(CCommandTable::ID_VIEW_TIME_ADD);
    Settle();
    const auto subs = window.MdiArea()->subWindowList();
    ASSERT_EQ(subs.size(), 3);
    for (QMdiSubWindow* sub : subs) EXPECT_EQ(plotData(sub), &doc->m_TimeData);

    // No frequency plot yet: one is made, and asking again raises it.
    window.OnCommand(CCommandTable::ID_VIEW_FREQ_FRONT);
    Settle();
    ASSERT_EQ(window.MdiArea()->subWindowList().size(), 4);
    EXPECT_EQ(plotData(window.ActiveFrame()), &doc->m_FreqData);
    window.MdiArea()->setActiveSubWindow(subs.front());
    window.OnCommand(CCommandTable::ID_VIEW_FREQ_FRONT);
    Settle();
    EXPECT_EQ(window.MdiArea()->subWindowList().size(), 4);
    EXPECT_EQ(plotData(window.ActiveFrame()), &doc->m_FreqData);
}

TEST(QtPlatform, ConvertsFileFilters) {
    EXPECT_EQ(CQtPlatform::ConvertFilter("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"),
              "Text Files (*.txt) (*.txt);;All Files (*.*) (*.*)");
    EXPECT_EQ(CQtPlatform::ConvertFilter("Data|*.dat;*.txt||"), "Data (*.dat *.txt)");
}

}  // namespace
}  // namespace kv

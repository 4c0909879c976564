// The main window as a user meets it: the status bar's one message channel,
// menus of the empty frame and of each kind of window, the toolbar's
// pictures and states, the Window menu, window titles, failed opens, files
// dropped on the window and the hand-over of open requests.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "QtPrinters.h"
#include "ShellTestSupport.h"
#include "app/CCommandPrompts.h"
#include "app/CCommandTable.h"
#include "app/CModDoc.h"
#include "formats/CDataFiles.h"
#include "plot/PlotCommands.h"
#include "qt/CCommandBars.h"
#include "qt/CInstanceChannel.h"
#include "qt/CListWindow.h"
#include "qt/CMainWindow.h"
#include "qt/CPlotWidget.h"
#include "qt/CProjectFrame.h"
#include "qt/CQtDialog.h"
#include "qt/CQtPlatform.h"
#include "qt/CStatusLine.h"
#include "support/CTempDir.h"

namespace kv {
namespace {

using T = CCommandTable;
using S = CShellMenus;
using test::Settle;
using test::WhenModal;

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pPrevious = SetPlatform(&m_platform.Platform());
        for (int i = 1; i <= 4; ++i) m_platform.SetString("Recent File List", "File" + std::to_string(i), "");
    }
    void TearDown() override { SetPlatform(m_pPrevious); }

    // The texts of the menus the menu bar shows.
    static QStringList ShownMenus(CMainWindow& window) {
        QStringList texts;
        for (QAction* a : window.menuBar()->actions())
            if (a->menu() && a->isVisible()) texts << a->text();
        return texts;
    }
    // Generates the default waveform through the menu command.
    static void Generate(CMainWindow& window) {
        WhenModal([](QWidget& w) {
            auto* dialog = qobject_cast<CQtDialog*>(&w);
            ASSERT_NE(dialog, nullptr);
            dialog->accept();
        });
        window.OnCommand(T::ID_GENERATE_WAVEFORM);
    }

    CQtPlatform m_platform;
    CPlatform* m_pPrevious = nullptr;
};

// ---------------------------------------------------------------------------
// Status bar

// A status text must not paint at once: it can come from inside another
// widget's paint (a plot that reports its progress), and painting the bar
// there paints the whole window from inside a paint.
TEST_F(ShellTest, StatusTextsAreDrawnWithTheNextPaintNotAtOnce) {
    CMainWindow window(m_platform);
    window.show();
    window.NewProject();
    Settle();
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    window.statusBar()->installEventFilter(&counter);
    SetStatusText("Transforming 1024 points starting at 0.");
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(window.StatusLine().Shown(), "Transforming 1024 points starting at 0.");
    Settle();
    EXPECT_EQ(window.statusBar()->currentMessage(), "Transforming 1024 points starting at 0.");
    window.statusBar()->removeEventFilter(&counter);
}

TEST_F(ShellTest, MenuPromptsShowWhileHighlightedAndTheProgramsTextComesBack) {
    CMainWindow window(m_platform);
    window.show();
    CModDoc* doc = window.NewProject();
    doc->SetModified(true);
    EXPECT_EQ(window.StatusLine().Shown(), "You need to Generate.");

    // Highlighting a menu item shows the first part of its text.
    QMenu* time = window.CommandBars().Menu(S::Popup::Time);
    window.menuBar()->setActiveAction(time->menuAction());
    Settle();
    ASSERT_TRUE(time->isVisible());
    time->setActiveAction(window.CommandAction(T::ID_GENERATE_WAVEFORM));
    Settle();
    EXPECT_EQ(window.StatusLine().Shown(), "Generate a test waveform as the Time Data");
    EXPECT_EQ(window.statusBar()->currentMessage(), "Generate a test waveform as the Time Data");
    // A greyed item tells what it would do, too.
    QAction* scale = window.CommandAction(T::ID_TIME_SCALE);
    ASSERT_FALSE(scale->isEnabled());
    const QPoint onScale = time->actionGeometry(scale).center();
    QMouseEvent move(QEvent::MouseMove, onScale, time->mapToGlobal(onScale), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(time, &move);
    EXPECT_EQ(window.StatusLine().Shown(), "Multiply the Time Data by a factor");
    // One text at a time: the program's text waits behind the prompt.
    EXPECT_EQ(window.StatusLine().Text(), "You need to Generate.");
    time->close();
    window.menuBar()->setActiveAction(nullptr);
    Settle();
    EXPECT_EQ(window.StatusLine().Shown(), "You need to Generate.");
    EXPECT_EQ(window.statusBar()->currentMessage(), "You need to Generate.");

    // A toolbar button: prompt on hover, the second part as its tooltip.
    QAction* read = window.CommandAction(T::ID_READ_TIME);
    auto* button = qobject_cast<QToolButton*>(window.CommandBars().ToolBar()->widgetForAction(read));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolTip(), "Read Time");
    QStatusTipEvent enter(button->statusTip());
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(window.StatusLine().Shown(), "Read Time Data from a file");
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(button, &leave);
    EXPECT_EQ(window.StatusLine().Shown(), "You need to Generate.");

    // The end of a run puts "Ready" in its place.
    Generate(window);
    Settle();
    EXPECT_EQ(window.StatusLine().Shown(), "Ready");
}

// ---------------------------------------------------------------------------
// Menus and toolbar

TEST_F(ShellTest, WithoutAProjectTheMenuBarHasFileSignalViewAndHelpAndGenerateMakesOne) {
    CMainWindow window(m_platform);
    window.show();
    EXPECT_EQ(ShownMenus(window), (QStringList{"&File", "&Signal", "&View", "&Help"}));
    QAction* generate = window.CommandAction(S::ID_FILE_GENERATE);
    ASSERT_NE(generate, nullptr);
    EXPECT_TRUE(window.CommandBars().Menu(S::Popup::FileEmpty)->actions().contains(generate));
    window.UpdateCommandStates();
    EXPECT_TRUE(generate->isEnabled());
    EXPECT_FALSE(window.CommandAction(T::ID_UNDO)->isEnabled());

    // Cancelled: no project stays.
    WhenModal([](QWidget& w) { qobject_cast<QDialog*>(&w)->reject(); });
    window.OnCommand(S::ID_FILE_GENERATE);
    Settle();
    EXPECT_TRUE(window.Documents().empty());
    EXPECT_EQ(ShownMenus(window), (QStringList{"&File", "&Signal", "&View", "&Help"}));

    // Accepted: a project with the waveform, in a plot window.
    WhenModal([](QWidget& w) { qobject_cast<QDialog*>(&w)->accept(); });
    window.OnCommand(S::ID_FILE_GENERATE);
    Settle();
    ASSERT_EQ(window.Documents().size(), 1u);
    EXPECT_FALSE(window.Documents().front()->m_TimeData.IsEmpty());
    EXPECT_EQ(ShownMenus(window), (QStringList{"&File", "&Signal", "&Time", "Fre&quency", "&Plot", "&View",
                                               "&Window", "&Help"}));

    // Closing its last window leaves the empty frame again.
    window.Documents().front()->SetModified(false);
    window.MdiArea()->subWindowList().front()->close();
    Settle();
    EXPECT_TRUE(window.Documents().empty());
    EXPECT_EQ(ShownMenus(window), (QStringList{"&File", "&Signal", "&View", "&Help"}));
}

TEST_F(ShellTest, ToolbarButtonsArePicturesInTheTableOrderSharpAtEveryScale) {
    CMainWindow window(m_platform);
    window.show();
    window.NewProject();
    QToolBar* bar = window.CommandBars().ToolBar();
    EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
    std::vector<int> ids;
    for (QAction* a : bar->actions()) ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
    EXPECT_EQ(ids, S::Toolbar());
    for (QAction* a : bar->actions()) {
        if (a->isSeparator()) continue;
        const int id = a->data().toInt();
        EXPECT_FALSE(a->icon().isNull()) << id;
        EXPECT_EQ(a->toolTip().toStdString(), CCommandPrompts::ToolTip(id));
        EXPECT_EQ(a->statusTip().toStdString(), CCommandPrompts::StatusPrompt(id));
        // Drawn for the screen's scale, not scaled up from a small bitmap.
        for (qreal scale : {1.0, 2.0}) {
            const QPixmap picture = a->icon().pixmap(QSize(22, 22), scale);
            ASSERT_EQ(picture.width(), qRound(22 * scale)) << id;
            const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qAlpha(image.pixel(x, y)) > 200) ++opaque;
            EXPECT_GT(opaque, image.width() * image.height() / 20) << id << " at scale " << scale;
        }
    }
}

TEST_F(ShellTest, CommandStatesFollowTheProjectWithoutATimer) {
    CMainWindow window(m_platform);
    window.show();
    window.NewProject();
    Settle();
    for (QTimer* timer : window.findChildren<QTimer*>())
        EXPECT_FALSE(timer->isActive() && timer->interval() > 0) << "a timer of " << timer->interval() << " ms";
    QAction* scale = window.CommandAction(T::ID_TIME_SCALE);
    EXPECT_FALSE(scale->isEnabled());
    Generate(window);
    Settle();
    EXPECT_TRUE(scale->isEnabled());
    EXPECT_TRUE(window.CommandAction(T::ID_UNDO)->isEnabled());
    window.OnCommand(T::ID_UNDO);
    Settle();
    EXPECT_FALSE(scale->isEnabled());
    // A disabled command does nothing when its key is pressed.
    EXPECT_FALSE(window.OnCommand(T::ID_TIME_SCALE));
}

TEST_F(ShellTest, TheWindowMenuListsTheOpenWindowsAndRaisesTheOneChosen) {
    CMainWindow window(m_platform);
    window.show();
    window.NewProject();
    window.NewProject();
    QMenu* menu = window.CommandBars().Menu(S::Popup::Window);
    emit menu->aboutToShow();
    QStringList numbered;
    QAction* first = nullptr;
    for (QAction* a : menu->actions()) {
        if (a->data().toInt() >= S::ID_WINDOW_FIRST) {
            numbered << a->text();
            if (!first) first = a;
            EXPECT_EQ(a->isChecked(), a == menu->actions().last()) << a->text().toStdString();
        }
    }
    EXPECT_EQ(numbered, (QStringList{"&1 Kalvora1", "&2 Kalvora2"}));
    ASSERT_NE(first, nullptr);
    first->trigger();
    Settle();
    EXPECT_EQ(window.ActiveDocument(), window.Documents().front().get());
}

TEST_F(ShellTest, ArrangeIconsLinesUpTheMinimizedWindowsAlongTheBottom) {
    CMainWindow window(m_platform);
    window.show();
    window.NewProject();
    window.NewProject();
    window.NewProject();
    Settle();
    const auto subs = window.MdiArea()->subWindowList();
    for (QMdiSubWindow* sub : subs) sub->showNormal();
    subs[2]->setGeometry(10, 10, 300, 200);
    subs[0]->showMinimized();
    subs[1]->showMinimized();
    Settle();
    subs[0]->move(200, 30);
    const QRect normal = subs[2]->geometry();
    window.OnCommand(S::ID_WINDOW_ARRANGE);
    Settle();
    const int bottom = window.MdiArea()->viewport()->height();
    EXPECT_EQ(subs[0]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(subs[1]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(subs[0]->x(), 0);
    EXPECT_EQ(subs[1]->x(), subs[0]->width());
    EXPECT_EQ(subs[2]->geometry(), normal);
}

TEST_F(ShellTest, AChangedProjectSaysSoInItsWindowTitles) {
    CMainWindow window(m_platform);
    window.show();
    CModDoc* doc = window.NewProject();
    window.OnCommand(T::ID_VIEW_TIME_ADD);
    Settle();
    const auto frames = window.FramesOf(*doc);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_FALSE(frames[0]->isWindowModified());
    // Accepting the transform options changes the project.
    WhenModal([](QWidget& w) { qobject_cast<QDialog*>(&w)->accept(); });
    window.OnCommand(T::ID_TRANSFORM_OPTIONS);
    Settle();
    for (CProjectFrame* f : frames) {
        EXPECT_TRUE(f->windowTitle().contains("[*]")) << f->windowTitle().toStdString();
        EXPECT_TRUE(f->isWindowModified());
    }
    EXPECT_EQ(frames[0]->windowTitle(), "Kalvora1:1[*]");
}

// ---------------------------------------------------------------------------
// Opening files

TEST_F(ShellTest, AFailedOpenLeavesTheOtherWindowsAsTheyWereAndReady) {
    test::CTempDir dir;
    const std::string bad = dir / "broken.kvp";
    std::ofstream(bad, std::ios::binary) << std::string("\x14\x00\x05", 3);
    CMainWindow window(m_platform);
    window.show();
    window.NewProject();
    Settle();
    ASSERT_TRUE(window.MdiArea()->subWindowList().front()->isMaximized());
    QString error;
    WhenModal([&error](QWidget& w) {
        auto* box = qobject_cast<QMessageBox*>(&w);
        ASSERT_NE(box, nullptr);
        error = box->text();
        box->accept();
    });
    EXPECT_EQ(window.OpenProject(bad), nullptr);
    Settle();
    EXPECT_EQ(error, "Unexpected file format.");
    ASSERT_EQ(window.MdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(window.MdiArea()->subWindowList().front()->isMaximized());
    EXPECT_EQ(window.StatusLine().Shown(), "Ready");
    EXPECT_EQ(window.Documents().size(), 1u);
}

TEST_F(ShellTest, DroppedProjectsOpenAndDroppedSignalFilesAreReadAsTimeData) {
    test::CTempDir dir;
    const std::string signal = dir / "ramp.txt";
    std::ofstream(signal) << "1\n2\n3\n4\n5\n";
    CMainWindow window(m_platform);
    window.show();
    CModDoc* doc = window.NewProject();
    Settle();

    QString shownName;
    WhenModal([&shownName](QWidget& w) {
        auto* dialog = qobject_cast<CQtDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        auto* name = qobject_cast<QLineEdit*>(dialog->ControlWidget(CDataFiles::IDC_NAME));
        ASSERT_NE(name, nullptr);
        shownName = name->text();
        dialog->accept();
    });
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(signal))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    for (int i = 0; i < 50 && doc->m_TimeData.IsEmpty(); ++i) {
        QTest::qWait(20);
    }
    EXPECT_EQ(shownName, "ramp.txt");
    ASSERT_EQ(doc->m_TimeData.GetCount(), 5);
    EXPECT_EQ(doc->m_TimeData.Inphase()[4], 5.0);

    // A project file dropped on the window opens as a project.
    const std::string project = dir / "dropped.kvp";
    {
        CModDoc other;
        for (int i = 0; i < 7; ++i) {
            other.m_TimeData.Inphase().Append(i);
            other.m_TimeData.Quadrature().Append(0.0);
        }
        other.m_TimeData.ResetRange();
        ASSERT_TRUE(other.SaveProject(project));
    }
    QMimeData projectMime;
    projectMime.setUrls({QUrl::fromLocalFile(QString::fromStdString(project))});
    // Every drop comes after its drag entered the window (Qt delivers drops
    // to the window the drag entered).
    QDragEnterEvent enterProject(QPoint(50, 50), Qt::CopyAction, &projectMime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enterProject);
    EXPECT_TRUE(enterProject.isAccepted());
    QDropEvent dropProject(QPointF(50, 50), Qt::CopyAction, &projectMime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &dropProject);
    for (int i = 0; i < 50 && window.Documents().size() < 2; ++i) QTest::qWait(20);
    ASSERT_EQ(window.Documents().size(), 2u);
    EXPECT_EQ(window.Documents().back()->GetPathName(), project);
    EXPECT_EQ(window.Documents().back()->m_TimeData.GetCount(), 7);
    EXPECT_EQ(doc->m_TimeData.GetCount(), 5);
}

TEST(InstanceChannel, ALaterStartHandsItsFilesToTheProgramRunning) {
    test::CTempDir dir;
    const QString name = QString::fromStdString(dir / "channel");
    CInstanceChannel first(name);
    ASSERT_TRUE(first.Listen());
    EXPECT_TRUE(first.IsListening());
    QStringList received;
    QObject::connect(&first, &CInstanceChannel::FilesRequested, [&received](const QStringList& p) { received = p; });

    // Another program does not take the channel from the one listening.
    CInstanceChannel second(name);
    EXPECT_FALSE(second.Listen());

    std::atomic<int> result{-1};
    const QStringList files{"/data/a run.kvp", QString::fromUtf8("/data/\xc3\xa9t\xc3\xa9.txt")};
    std::thread sender([&] { result = CInstanceChannel(name).HandOver(files) ? 1 : 0; });
    for (int i = 0; i < 300 && result < 0; ++i) {
        QApplication::processEvents();
        QTest::qWait(10);
    }
    sender.join();
    EXPECT_EQ(result, 1);
    EXPECT_EQ(received, files);

    // Nothing to hand over, or nobody listening: the start goes on by itself.
    EXPECT_FALSE(CInstanceChannel(name).HandOver({}));
    EXPECT_FALSE(CInstanceChannel(QString::fromStdString(dir / "nobody")).HandOver(files, 200));
}

// Files handed over open a dialog at once; its event loop runs while the
// program that handed them over hangs up, and the channel outlives that.
TEST(InstanceChannel, ADialogOpenedForHandedFilesOutlivesTheSender) {
    test::CTempDir dir;
    const QString name = QString::fromStdString(dir / "channel");
    CInstanceChannel first(name);
    ASSERT_TRUE(first.Listen());
    std::atomic<int> result{-1};
    int requests = 0;
    QObject::connect(&first, &CInstanceChannel::FilesRequested, [&](const QStringList&) {
        ++requests;
        // Events run, as they do under a modal dialog and the progress of a
        // long read, until the sender has gone and a little longer.
        for (int i = 0; i < 300 && result < 0; ++i) QTest::qWait(10);
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    std::thread sender([&] { result = CInstanceChannel(name).HandOver({"/data/a.wav"}) ? 1 : 0; });
    for (int i = 0; i < 300 && (result < 0 || requests == 0); ++i) QTest::qWait(10);
    sender.join();
    QTest::qWait(50);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(requests, 1);
    // The channel still takes files.
    std::thread again([&] { result = CInstanceChannel(name).HandOver({"/data/b.wav"}) ? 2 : 0; });
    for (int i = 0; i < 300 && (result != 2 || requests < 2); ++i) QTest::qWait(10);
    again.join();
    EXPECT_EQ(result, 2);
    EXPECT_EQ(requests, 2);
}

TEST_F(ShellTest, OpenRequestsWaitForAnOpenDialog) {
    test::CTempDir dir;
    const std::string project = dir / "waiting.kvp";
    {
        CModDoc other;
        ASSERT_TRUE(other.SaveProject(project));
    }
    CMainWindow window(m_platform);
    window.show();
    window.NewProject();
    size_t documentsWhileOpen = 0;
    WhenModal([&](QWidget& w) {
        window.OpenFiles({QString::fromStdString(project)});
        Settle();
        documentsWhileOpen = window.Documents().size();
        qobject_cast<QDialog*>(&w)->reject();
    });
    window.OnCommand(T::ID_TRANSFORM_OPTIONS);
    EXPECT_EQ(documentsWhileOpen, 1u);
    for (int i = 0; i < 100 && window.Documents().size() < 2; ++i) QTest::qWait(20);
    ASSERT_EQ(window.Documents().size(), 2u);
    EXPECT_EQ(window.ActiveDocument()->GetPathName(), project);
}

// ---------------------------------------------------------------------------
// Window placement

TEST_F(ShellTest, TheWindowOpensOnAScreenItFitsAndKeepsItsPlace) {
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect free = screen->availableGeometry();
    {
        CMainWindow window(m_platform);
        window.setGeometry(free.x() + 20, free.y() + 30, free.width() / 2, free.height() / 2);
        window.show();
        Settle();
        window.SaveWindowPlacement();
    }
    {
        CMainWindow window(m_platform);
        window.RestoreWindowPlacement();
        window.show();
        Settle();
        EXPECT_EQ(window.size(), QSize(free.width() / 2, free.height() / 2));
        EXPECT_TRUE(free.contains(window.frameGeometry().center()));
    }
    // A place far off every screen, and a size larger than the screen.
    {
        CMainWindow window(m_platform);
        window.setGeometry(free.right() + 4000, free.bottom() + 3000, free.width() * 3, free.height() * 3);
        window.SaveWindowPlacement();
    }
    CMainWindow window(m_platform);
    window.RestoreWindowPlacement();
    window.show();
    Settle();
    EXPECT_TRUE(free.contains(window.geometry())) << window.geometry().x() << "," << window.geometry().y() << " "
                                                  << window.width() << "x" << window.height();
    m_platform.SetString("Main Window", "Geometry", "");
    m_platform.SetString("Main Window", "State", "");
}

// ---------------------------------------------------------------------------
// File dialogs

TEST(QtPlatform, ConvertsFileFiltersOnceWithStarDotStarMatchingEveryFile) {
    EXPECT_EQ(CQtPlatform::ConvertFilter("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"),
              "Text Files (*.txt);;All Files (*)");
    EXPECT_EQ(CQtPlatform::ConvertFilter("Data|*.dat;*.txt||"), "Data (*.dat *.txt)");
    EXPECT_EQ(CQtPlatform::ConvertFilter("Binary Files (*.bin;*.dat)|*.bin; *.dat|Wave Files (*.wav)|*.wav||"),
              "Binary Files (*.bin *.dat);;Wave Files (*.wav)");
    EXPECT_EQ(CQtPlatform::ConvertFilter("Kalvora Projects (*.kvp)|*.kvp|All Files (*.*)|*.*||"),
              "Kalvora Projects (*.kvp);;All Files (*)");
    EXPECT_EQ(CQtPlatform::ConvertFilter(""), "");
}

// ---------------------------------------------------------------------------
// Plot windows

TEST_F(ShellTest, CopyInAPlotWindowCopiesItsPicture) {
    CMainWindow window(m_platform);
    window.show();
    window.NewProject();
    Generate(window);
    Settle();
    QApplication::clipboard()->clear();
    CCmdUI copy(S::ID_EDIT_COPY);
    ASSERT_TRUE(window.OnUpdateCommand(copy));
    EXPECT_TRUE(copy.m_bEnabled);
    EXPECT_TRUE(window.OnCommand(S::ID_EDIT_COPY));
    const QImage picture = QApplication::clipboard()->image();
    EXPECT_FALSE(picture.isNull());
}

}  // namespace
}  // namespace kv

// The help window, F1 and Shift+F1, What's-This texts, the About box and
// the program's icon, as a user meets them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QListWidget>
#include <QTabWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QWhatsThis>

#include "app/CCommandTable.h"
#include "app/CScaleDlg.h"
#include "app/CModDoc.h"
#include "generate/CNoise.h"
#include "generate/CSamp.h"
#include "platform/CPropertySheetModel.h"
#include "plot/PlotCommands.h"
#include "qt/CAboutDialog.h"
#include "qt/CHelpManual.h"
#include "qt/CHelpSystem.h"
#include "qt/CHelpWindow.h"
#include "qt/CMainWindow.h"
#include "qt/CQtDialog.h"
#include "qt/CQtPlatform.h"
#include "qt/CQtPropertySheet.h"

namespace kv {
namespace {

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pPrevious = SetPlatform(&m_platform.Platform());
        for (int i = 1; i <= 4; ++i) m_platform.SetString("Recent File List", "File" + std::to_string(i), "");
    }
    void TearDown() override { SetPlatform(m_pPrevious); }
    static void Settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    CQtPlatform m_platform;
    CPlatform* m_pPrevious = nullptr;
};

TEST_F(HelpWindowTest, ContentsIndexAndSearchShowTheirTabsAndOpenPages) {
    CMainWindow window(m_platform);
    window.show();
    window.StartUp();
    window.OnCommand(CMainWindow::ID_HELP_CONTENTS);
    ASSERT_TRUE(window.Help().HasWindow());
    CHelpWindow& help = window.Help().Window();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.CurrentPage(), "index.html");
    EXPECT_GT(help.ContentsTree()->topLevelItemCount(), 0);
    EXPECT_FALSE(help.Browser()->toPlainText().isEmpty());

    // Index: typing selects the first keyword that starts with the text.
    window.OnCommand(CMainWindow::ID_HELP_INDEX);
    EXPECT_TRUE(help.IndexEdit()->isVisible());
    QTest::keyClicks(help.IndexEdit(), "sfdr");
    ASSERT_NE(help.IndexList()->currentItem(), nullptr);
    EXPECT_TRUE(help.IndexList()->currentItem()->text().startsWith("SFDR", Qt::CaseInsensitive));
    QTest::keyClick(help.IndexEdit(), Qt::Key_Return);
    EXPECT_EQ(help.CurrentPage(), "frequency-statistics.html");

    // Search: ranked topics; opening one shows it.
    window.OnCommand(CMainWindow::ID_HELP_SEARCH);
    EXPECT_TRUE(help.SearchEdit()->isVisible());
    QTest::keyClicks(help.SearchEdit(), "Kaiser Bessel alpha");
    QTest::keyClick(help.SearchEdit(), Qt::Key_Return);
    ASSERT_GT(help.SearchResults()->count(), 0);
    EXPECT_EQ(help.SearchResults()->item(0)->text(), window.Help().Manual().Title("window.html"));
    emit help.SearchResults()->itemActivated(help.SearchResults()->item(0));
    EXPECT_EQ(help.CurrentPage(), "window.html");
    // The contents tree follows the page shown.
    ASSERT_NE(help.ContentsTree()->currentItem(), nullptr);
    EXPECT_EQ(help.ContentsTree()->currentItem()->text(0), window.Help().Manual().Title("window.html"));

    // Back and Forward walk the pages seen.
    help.Browser()->backward();
    EXPECT_EQ(help.CurrentPage(), "frequency-statistics.html");
    help.Browser()->forward();
    EXPECT_EQ(help.CurrentPage(), "window.html");

    // A link between pages is followed in the same window.
    help.ShowPage("index.html");
    help.Browser()->setSource(QUrl("getting-started.html"));
    EXPECT_EQ(help.CurrentPage(), "getting-started.html");
    EXPECT_FALSE(help.Browser()->toPlainText().isEmpty());
    help.close();
}

TEST_F(HelpWindowTest, F1OpensThePageOfTheActiveWindow) {
    CMainWindow window(m_platform);
    window.show();
    window.StartUp();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    // A plot window is active: the plot window's page.
    EXPECT_EQ(window.Help().ContextPage(), "plot-window.html");
    window.OnCommand(CMainWindow::ID_HELP);
    EXPECT_EQ(window.Help().Window().CurrentPage(), "plot-window.html");
    window.Help().Window().close();

    // The frequency list window: its own page.
    CModDoc* doc = window.ActiveDocument();
    ASSERT_NE(doc, nullptr);
    QTimer::singleShot(0, [] {
        if (auto* d = qobject_cast<CQtDialog*>(QApplication::activeModalWidget())) d->accept();
    });
    window.OnCommand(CCommandTable::ID_GENERATE_WAVEFORM);
    window.OnCommand(CCommandTable::ID_TIME_TO_FREQ);
    window.OnCommand(CCommandTable::ID_FREQ_SHOW_LIST);
    Settle();
    EXPECT_EQ(window.Help().ContextPage(), "frequency-list.html");
}

TEST_F(HelpWindowTest, F1InADialogOpensItsPageInAWindowTheDialogDoesNotBlock) {
    CMainWindow window(m_platform);
    window.show();
    window.StartUp();
    CScaleDlg model;
    QString pageDuringDialog;
    bool ownedByDialog = false;
    bool fieldHelp = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CQtDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QWidget* field = dialog->ControlWidget(model.Controls().front().m_nId);
        ASSERT_NE(field, nullptr);
        fieldHelp = !field->whatsThis().isEmpty();
        field->setFocus();
        QTest::keyClick(field, Qt::Key_F1);
        pageDuringDialog = window.Help().Window().CurrentPage();
        ownedByDialog = window.Help().Window().parentWidget() == dialog &&
                        window.Help().Window().isVisible();
        // Shift+F1 turns the pointer into the context-help pointer.
        QTest::keyClick(field, Qt::Key_F1, Qt::ShiftModifier);
        EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
        QWhatsThis::leaveWhatsThisMode();
        dialog->reject();
    });
    CQtDialog dialog(model, &window);
    dialog.Run();
    EXPECT_TRUE(fieldHelp);
    EXPECT_EQ(pageDuringDialog.section('#', 0, 0), "scale.html");
    EXPECT_TRUE(ownedByDialog);
    dialog.hide();
    Settle();
    // The help window outlives the dialog.
    ASSERT_TRUE(window.Help().HasWindow());
    EXPECT_EQ(window.Help().Window().parentWidget(), nullptr);
    EXPECT_TRUE(window.Help().Window().isVisible());
    window.Help().Window().close();
}

TEST_F(HelpWindowTest, F1InThePropertySheetOpensThePageOfTheTabOnTop) {
    CMainWindow window(m_platform);
    window.show();
    window.StartUp();
    CSamp sample;
    CNoise noise;
    CPropertySheetModel sheet("Signal Generator");
    sheet.AddPage(sample);
    sheet.AddPage(noise);
    QStringList pages;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CQtPropertySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        pages << window.Help().ContextPage();
        dialog->Tabs()->setCurrentIndex(1);
        QTest::keyClick(dialog->Tabs()->currentWidget(), Qt::Key_F1);
        pages << window.Help().Window().CurrentPage();
        dialog->reject();
    });
    CQtPropertySheet dialog(sheet, &window);
    dialog.Run();
    EXPECT_EQ(pages, QStringList({"sg-sample.html", "sg-noise.html"}));
    window.Help().Window().close();
}

TEST_F(HelpWindowTest, CommandsButtonsAndFieldsHaveWhatsThisTexts) {
    CMainWindow window(m_platform);
    window.show();
    window.StartUp();
    QAction* read = window.CommandAction(CCommandTable::ID_READ_TIME);
    ASSERT_NE(read, nullptr);
    const QString readHelp = read->whatsThis();
    EXPECT_TRUE(readHelp.contains("Read Time Data")) << readHelp.toStdString();
    const QString summary = window.Help().Manual().Summary("read-data.html");
    ASSERT_FALSE(summary.isEmpty());
    EXPECT_TRUE(readHelp.contains(summary.left(30).toHtmlEscaped())) << readHelp.toStdString();

    // A toolbar button's text names its menu command, not the button's short label.
    for (QToolBar* bar : window.findChildren<QToolBar*>())
        for (QAction* a : bar->actions())
            if (a->data().toInt() == CCommandTable::ID_SAMPLING_FREQ) {
                EXPECT_TRUE(a->whatsThis().contains("<b>Sampling Frequency...</b>")) << a->whatsThis().toStdString();
            }

    QStringList silent;
    for (QToolBar* bar : window.findChildren<QToolBar*>())
        for (QAction* a : bar->actions())
            if (!a->isSeparator() && a->whatsThis().isEmpty()) silent << a->text();
    for (QAction* a : window.findChildren<QAction*>()) {
        bool ok = false;
        a->data().toInt(&ok);
        if (ok && !a->isSeparator() && !a->menu() && a->whatsThis().isEmpty()) silent << a->text();
    }
    EXPECT_TRUE(silent.isEmpty()) << silent.join(", ").toStdString();

    // A dialog field's text comes from its own entry on the dialog's page.
    CScaleDlg scale;
    scale.EnsureControls();
    const CControl& first = scale.Controls().front();
    const QString field = window.Help().FieldWhatsThis(scale, first.m_nId);
    const QString described = window.Help().Manual().FieldHelp(
        "scale.html", QString::fromStdString(first.m_strLabel.empty() ? first.m_strCaption : first.m_strLabel));
    ASSERT_FALSE(described.isEmpty());
    EXPECT_TRUE(field.contains(described.left(30).toHtmlEscaped())) << field.toStdString();
}

TEST_F(HelpWindowTest, RecentProjectsMadeWhenTheFileMenuOpensHaveWhatsThisTexts) {
    m_platform.SetString("Recent File List", "File1", "/nonexistent/old.kvp");
    CMainWindow window(m_platform);
    window.show();
    QAction* file = nullptr;
    for (QAction* top : window.menuBar()->actions())
        if (top->menu() && top->menu()->actions().contains(window.CommandAction(CMainWindow::ID_FILE_OPEN)))
            file = top;
    ASSERT_NE(file, nullptr);
    // Opening the menu makes its recent-file entries anew.
    emit file->menu()->aboutToShow();
    QAction* recent = window.CommandAction(CMainWindow::ID_FILE_MRU_FIRST);
    ASSERT_NE(recent, nullptr);
    EXPECT_TRUE(recent->whatsThis().contains(window.Help().Manual().Title("projects.html").toHtmlEscaped()))
        << recent->whatsThis().toStdString();
}

TEST_F(HelpWindowTest, AboutShowsThePictureVersionAndBuild) {
    CMainWindow window(m_platform);
    CAboutDialog about(&window);
    EXPECT_EQ(about.windowTitle(), "About");
    auto* picture = about.findChild<QLabel*>("AboutPicture");
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_GE(picture->pixmap().width(), 64);
    auto* text = about.findChild<QLabel*>("AboutText");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->text().contains(KALVORA_VERSION));
    EXPECT_TRUE(text->text().contains(CAboutDialog::BuildText().toHtmlEscaped()));
    // "Build", the commit (or "unknown" outside a checkout) and the build type.
    EXPECT_GE(CAboutDialog::BuildText().split(' ').size(), 2);
    // The About command opens it.
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CAboutDialog*>(QApplication::activeModalWidget());
        shown = dialog != nullptr;
        if (dialog) dialog->accept();
    });
    window.OnCommand(CMainWindow::ID_APP_ABOUT);
    EXPECT_TRUE(shown);
}

TEST_F(HelpWindowTest, TheIconIsOnTheMainAndProjectWindowsInEverySize) {
    const QIcon icon = CAboutDialog::ProgramIcon();
    for (int size : {16, 32, 48, 256}) {
        const QPixmap p = icon.pixmap(size, size);
        ASSERT_FALSE(p.isNull()) << size;
        EXPECT_EQ(p.width(), size);
        // Not blank: the artwork has opaque, differently coloured pixels.
        const QImage img = p.toImage();
        EXPECT_NE(img.pixelColor(size / 2, size / 2), img.pixelColor(size / 8, size / 2)) << size;
        EXPECT_EQ(img.pixelColor(size / 2, size * 15 / 16).alpha(), 255) << size;
    }
    CMainWindow window(m_platform);
    window.show();
    window.StartUp();
    EXPECT_EQ(window.windowIcon().cacheKey() != 0, true);
    EXPECT_FALSE(window.windowIcon().pixmap(16, 16).isNull());
    ASSERT_FALSE(window.MdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(window.MdiArea()->subWindowList().front()->windowIcon().pixmap(16, 16).isNull());
}

}  // namespace
}  // namespace kv

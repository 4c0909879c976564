// Dialogs and the list window on screen: radio groups as single Tab stops,
// read-only numbers shown whole, lists that choose nothing by themselves,
// widths for titles, page margins, and the list window's editor commands.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "QtPrinters.h"
#include "ShellTestSupport.h"
#include "analysis/CDsStats.h"
#include "app/CCommandTable.h"
#include "app/CListLength.h"
#include "app/CMixDlg.h"
#include "app/CModDoc.h"
#include "app/CRange.h"
#include "app/CShellMenus.h"
#include "dsp/CTransOpt.h"
#include "generate/CAudio.h"
#include "generate/CModParm.h"
#include "platform/CPropertySheetModel.h"
#include "plot/PlotCommands.h"
#include "qt/CCommandBars.h"
#include "qt/CFindReplaceDialog.h"
#include "qt/CListWindow.h"
#include "qt/CMainWindow.h"
#include "qt/CProjectFrame.h"
#include "qt/CQtControlPanel.h"
#include "qt/CQtDialog.h"
#include "qt/CQtPlatform.h"
#include "qt/CQtPropertySheet.h"
#include "support/CTempDir.h"

namespace kv {
namespace {

using S = CShellMenus;
using T = CCommandTable;
using test::Settle;
using test::WhenModal;

class DialogWidgets : public ::testing::Test {
protected:
    void SetUp() override {
        m_pPrevious = SetPlatform(&m_platform.Platform());
        for (int i = 1; i <= 4; ++i) m_platform.SetString("Recent File List", "File" + std::to_string(i), "");
    }
    void TearDown() override { SetPlatform(m_pPrevious); }

    CQtPlatform m_platform;
    CPlatform* m_pPrevious = nullptr;
};

// Runs a dialog model on screen and calls check with the dialog once it is
// up; the check ends it.
void RunDialog(CDialogModel& model, const std::function<void(CQtDialog&)>& check) {
    WhenModal([&check](QWidget& w) {
        auto* dialog = qobject_cast<CQtDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        check(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    CQtDialog dialog(model);
    dialog.Run();
}

QList<QRadioButton*> Radios(CQtDialog& dialog, std::initializer_list<int> ids) {
    QList<QRadioButton*> radios;
    for (int id : ids) radios << qobject_cast<QRadioButton*>(dialog.ControlWidget(id));
    return radios;
}

TEST_F(DialogWidgets, ARadioGroupIsOneTabStopAndTheArrowKeysMoveInsideIt) {
    CMixDlg mix;
    mix.m_dMixFs = 48.0;
    RunDialog(mix, [&](CQtDialog& dialog) {
        const auto freq = Radios(dialog, {CMixDlg::IDC_FREQ_MODE, CMixDlg::IDC_MODE_DIVIDE, CMixDlg::IDC_MODE_MULTIPLY});
        const auto phase = Radios(dialog, {CMixDlg::IDC_PHASE_AUTO, CMixDlg::IDC_PHASE_DEGREES});
        for (QRadioButton* r : freq + phase) ASSERT_NE(r, nullptr);
        auto tabStops = [](const QList<QRadioButton*>& group) {
            int stops = 0;
            for (QRadioButton* r : group)
                if (r->focusPolicy() & Qt::TabFocus) ++stops;
            return stops;
        };
        EXPECT_EQ(tabStops(freq), 1);
        EXPECT_EQ(tabStops(phase), 1);
        EXPECT_TRUE(freq[0]->isChecked());
        EXPECT_TRUE(freq[0]->focusPolicy() & Qt::TabFocus);

        // Down moves to the next button of the group and chooses it.
        QApplication::setActiveWindow(&dialog);
        freq[0]->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), freq[0]);
        QTest::keyClick(freq[0], Qt::Key_Down);
        EXPECT_TRUE(freq[1]->isChecked());
        EXPECT_FALSE(freq[0]->isChecked());
        EXPECT_EQ(mix.Control(CMixDlg::IDC_MODE_DIVIDE).m_nCheck, 1);
        EXPECT_EQ(mix.Control(CMixDlg::IDC_FREQ_MODE).m_nCheck, 0);
        EXPECT_EQ(tabStops(freq), 1);
        EXPECT_TRUE(freq[1]->focusPolicy() & Qt::TabFocus);

        // Tab leaves the group: it never stops on another of its buttons.
        QWidget* w = freq[1];
        for (int i = 0; i < 40; ++i) {
            w = w->nextInFocusChain();
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) break;
        }
        EXPECT_FALSE(freq.contains(qobject_cast<QRadioButton*>(w)));
    });
}

TEST_F(DialogWidgets, ReadOnlyNumberFieldsShowTheirWholeText) {
    CDsStats stats;
    stats.m_dMinimum = -0.984663979185115;
    stats.m_dMaximum = 0.999999999999998;
    stats.m_dInphaseMean = -1.23456789012345e-17;
    stats.m_dQuadratureMean = 12345678901.2345;
    stats.m_dMagnitudeRms = 0.707106781186548;
    RunDialog(stats, [&](CQtDialog& dialog) {
        for (int id : {CDsStats::IDC_MINIMUM, CDsStats::IDC_MAXIMUM, CDsStats::IDC_INPHASE_MEAN,
                       CDsStats::IDC_QUADRATURE_MEAN, CDsStats::IDC_MAGNITUDE_RMS}) {
            auto* edit = qobject_cast<QLineEdit*>(dialog.ControlWidget(id));
            ASSERT_NE(edit, nullptr);
            EXPECT_TRUE(edit->isReadOnly());
            const int textWidth = edit->fontMetrics().horizontalAdvance(edit->text());
            EXPECT_GE(edit->width(), textWidth + 4) << edit->text().toStdString();
            // The start of the number is in view.
            EXPECT_EQ(edit->cursorPosition(), 0) << edit->text().toStdString();
        }
        auto* minimum = qobject_cast<QLineEdit*>(dialog.ControlWidget(CDsStats::IDC_MINIMUM));
        EXPECT_EQ(minimum->text(), "-0.984663979185115");
    });
}

TEST_F(DialogWidgets, TransformOptionsOpenWithoutARowOfTheLengthListChosen) {
    CTransOpt options;
    options.m_nLength = 1000;
    options.m_nLengthType = 0;
    RunDialog(options, [&](CQtDialog& dialog) {
        auto* list = qobject_cast<QListWidget*>(dialog.ControlWidget(CTransOpt::IDC_LENGTH_LIST));
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(list->selectedItems().isEmpty());
        // Giving the list the focus chooses nothing either.
        QApplication::setActiveWindow(&dialog);
        list->setFocus(Qt::TabFocusReason);
        Settle();
        EXPECT_TRUE(list->selectedItems().isEmpty());
        EXPECT_EQ(qobject_cast<QLineEdit*>(dialog.ControlWidget(CTransOpt::IDC_LENGTH))->text(), "1000");
        EXPECT_TRUE(qobject_cast<QRadioButton*>(dialog.ControlWidget(CTransOpt::IDC_MAXIMUM))->isChecked());
        // Choosing a row sets the length.
        list->item(3)->setSelected(true);
        EXPECT_EQ(qobject_cast<QLineEdit*>(dialog.ControlWidget(CTransOpt::IDC_LENGTH))->text(), "256");
        dialog.accept();
    });
    EXPECT_EQ(options.m_nLength, 256);
    EXPECT_EQ(options.m_nLengthType, 2);
}

TEST_F(DialogWidgets, DialogsAreWideEnoughForTheirTitles) {
    CListLength length;
    length.m_nListEntries = 50;
    RunDialog(length, [](CQtDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Frequency List Length");
        QFont bold = dialog.font();
        bold.setBold(true);
        EXPECT_GE(dialog.width(), QFontMetrics(bold).horizontalAdvance(dialog.windowTitle()) + 100);
    });
}

TEST_F(DialogWidgets, TheSsbNoteStandsAboveTheCarrierFieldsItPointsTo) {
    CModParm page;
    page.EnsureControls();
    CQtControlPanel panel(page);
    panel.SyncFromModel();
    panel.resize(panel.sizeHint());
    panel.show();
    Settle();
    QLabel* note = nullptr;
    for (QLabel* label : panel.findChildren<QLabel*>())
        if (label->text() == "(specify carrier below)") note = label;
    ASSERT_NE(note, nullptr);
    QWidget* carrier = panel.ControlWidget(CModParm::IDC_CARRIER_FREQUENCY);
    ASSERT_NE(carrier, nullptr);
    EXPECT_LT(note->mapTo(&panel, QPoint(0, 0)).y(), carrier->mapTo(&panel, QPoint(0, 0)).y());
}

TEST_F(DialogWidgets, SheetPagesHaveMarginsAndAPageStaysOnTopWhileItsMessageIsUp) {
    CModParm modulation;
    CAudio audio;
    modulation.m_nModulation = CModParm::CW;
    modulation.m_fCarrierFrequency = 0.0f;
    CPropertySheetModel model("Signal Generator");
    model.AddPage(modulation);
    model.AddPage(audio);
    int tabWhileMessage = -1;
    QString carrierWhileMessage;
    QString message;
    WhenModal([&](QWidget& w) {
        auto* sheet = qobject_cast<CQtPropertySheet*>(&w);
        ASSERT_NE(sheet, nullptr);
        EXPECT_GT(sheet->Panel(0)->layout()->contentsMargins().left(), 0);
        EXPECT_GT(sheet->Panel(1)->layout()->contentsMargins().top(), 0);
        auto* carrier = qobject_cast<QLineEdit*>(sheet->Panel(0)->ControlWidget(CModParm::IDC_CARRIER_FREQUENCY));
        WhenModal(
            [&, sheet, carrier](QWidget& box) {
                message = qobject_cast<QMessageBox*>(&box)->text();
                tabWhileMessage = sheet->Tabs()->currentIndex();
                carrierWhileMessage = carrier->text();
                qobject_cast<QMessageBox*>(&box)->accept();
            },
            sheet);
        sheet->Tabs()->setCurrentIndex(1);
        Settle();
        EXPECT_EQ(sheet->Tabs()->currentIndex(), 0);
        sheet->reject();
    });
    CQtPropertySheet sheet(model);
    sheet.Run();
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(tabWhileMessage, 0);
    EXPECT_EQ(carrierWhileMessage, "0");
}

TEST_F(DialogWidgets, TheAudioPageHasABrowseButtonBesideTheFileName) {
    CAudio audio;
    audio.EnsureControls();
    CQtControlPanel panel(audio);
    panel.SyncFromModel();
    auto* browse = qobject_cast<QAbstractButton*>(panel.ControlWidget(CAudio::IDC_BROWSE));
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(browse->text(), "Browse...");
    QWidget* name = panel.ControlWidget(CAudio::IDC_FILE_NAME);
    EXPECT_EQ(name->parentWidget(), browse->parentWidget());
}

// ---------------------------------------------------------------------------
// The list window

class ListWindowTest : public DialogWidgets {
protected:
    // A project with Frequency Data and its list window open.
    CListWindow* OpenList(CMainWindow& window) {
        CModDoc* doc = window.NewProject();
        WhenModal([](QWidget& w) { qobject_cast<QDialog*>(&w)->accept(); });
        window.OnCommand(T::ID_GENERATE_WAVEFORM);
        window.OnCommand(T::ID_TIME_TO_FREQ);
        window.OnCommand(T::ID_FREQ_SHOW_LIST);
        Settle();
        EXPECT_FALSE(doc->m_FreqData.IsEmpty());
        return qobject_cast<CListWindow*>(window.ActiveFrame()->widget());
    }
};

TEST_F(ListWindowTest, SignalUndoInAListWindowUndoesTheProjectNotTheText) {
    CMainWindow window(m_platform);
    window.show();
    CListWindow* list = OpenList(window);
    ASSERT_NE(list, nullptr);
    CModDoc* doc = window.ActiveDocument();
    list->moveCursor(QTextCursor::End);
    list->insertPlainText("note");
    const QString edited = list->toPlainText();
    ASSERT_TRUE(edited.endsWith("note"));
    const int freqPoints = doc->m_FreqData.GetCount();
    ASSERT_GT(freqPoints, 0);

    window.UpdateCommandStates();
    ASSERT_TRUE(window.CommandAction(T::ID_UNDO)->isEnabled());
    window.CommandAction(T::ID_UNDO)->trigger();
    Settle();
    // The transform is undone; the list follows the project's data.
    EXPECT_TRUE(doc->m_FreqData.IsEmpty());
    EXPECT_FALSE(doc->m_TimeData.IsEmpty());

    // The List menu's Undo is the text's own.
    window.ActiveFrame();
    QAction* textUndo = window.CommandAction(S::ID_EDIT_UNDO_TEXT);
    ASSERT_NE(textUndo, nullptr);
    EXPECT_TRUE(window.CommandBars().Menu(S::Popup::List)->actions().contains(textUndo));
    EXPECT_FALSE(window.CommandBars().Menu(S::Popup::Signal)->actions().contains(textUndo));
}

TEST_F(ListWindowTest, TheContextMenuHasTheEditorsCommands) {
    CMainWindow window(m_platform);
    window.show();
    CListWindow* list = OpenList(window);
    ASSERT_NE(list, nullptr);
    QStringList items;
    QTimer::singleShot(50, [&items] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) items << a->text().section('\t', 0, 0);
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20), list->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(list->viewport(), &event);
    EXPECT_EQ(items, (QStringList{"Chose &Font...", "&Undo Edit", "Cu&t", "&Copy", "&Paste", "C&lear", "Select &All",
                                  "&Find...", "Replace...", "&Repeat Last Find/Replace", "&Print..."}));
}

TEST_F(ListWindowTest, FindReplaceAndRepeatWorkOnTheListText) {
    CMainWindow window(m_platform);
    window.show();
    CListWindow* list = OpenList(window);
    ASSERT_NE(list, nullptr);
    list->setPlainText("alpha beta\nbeta gamma\nalphabet\n");
    list->moveCursor(QTextCursor::Start);

    EXPECT_TRUE(list->OnCommand(S::ID_EDIT_FIND));
    CFindReplaceDialog* find = list->FindDialog();
    ASSERT_NE(find, nullptr);
    EXPECT_FALSE(find->IsReplace());
    find->SetFindText("beta");
    EXPECT_TRUE(find->FindNext());
    EXPECT_EQ(list->textCursor().selectedText(), "beta");
    EXPECT_EQ(list->textCursor().selectionStart(), 6);
    find->close();
    // Repeat finds the next one with the same text.
    CCmdUI repeat(S::ID_EDIT_REPEAT);
    ASSERT_TRUE(list->OnUpdateCommand(repeat));
    EXPECT_TRUE(repeat.m_bEnabled);
    // F3 in the text, as the context menu shows.
    QTest::keyClick(list, Qt::Key_F3);
    EXPECT_EQ(list->textCursor().selectionStart(), 11);

    EXPECT_TRUE(list->OnCommand(S::ID_EDIT_REPLACE));
    CFindReplaceDialog* replace = list->FindDialog();
    ASSERT_NE(replace, nullptr);
    EXPECT_TRUE(replace->IsReplace());
    replace->SetFindText("alpha");
    replace->findChild<QLineEdit*>("ReplaceWith")->setText("A");
    EXPECT_EQ(replace->ReplaceAll(), 2);
    EXPECT_EQ(list->toPlainText(), "A beta\nbeta gamma\nAbet\n");
    // One Undo Edit takes the whole replacement back.
    list->OnCommand(S::ID_EDIT_UNDO_TEXT);
    EXPECT_EQ(list->toPlainText(), "alpha beta\nbeta gamma\nalphabet\n");
    replace->close();

    list->OnCommand(S::ID_EDIT_SELECT_ALL);
    EXPECT_EQ(list->textCursor().selectedText().size(), list->toPlainText().size());
    list->OnCommand(S::ID_EDIT_CLEAR);
    EXPECT_TRUE(list->toPlainText().isEmpty());
}

TEST_F(ListWindowTest, AListWindowPrintsItsTextAndOpensInsideTheArea) {
    test::CTempDir dir;
    CMainWindow window(m_platform);
    window.resize(700, 500);
    window.show();
    window.NewProject();
    window.MdiArea()->subWindowList().front()->showNormal();
    Settle();
    CListWindow* list = OpenList(window);
    ASSERT_NE(list, nullptr);
    const QRect area = window.MdiArea()->viewport()->rect();
    QMdiSubWindow* frame = window.ActiveFrame();
    EXPECT_TRUE(area.contains(frame->geometry())) << frame->geometry().width() << "x" << frame->geometry().height();

    CCmdUI print(ID_FILE_PRINT);
    ASSERT_TRUE(window.OnUpdateCommand(print));
    EXPECT_TRUE(print.m_bEnabled);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = QString::fromStdString(dir / "list.pdf");
    printer.setOutputFileName(pdf);
    list->PrintTo(printer);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    EXPECT_GT(file.size(), 1000);
}

}  // namespace
}  // namespace kv

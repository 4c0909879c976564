// One session with the desktop program, driven through its menus and
// dialogs as a user drives it: automatic processing set up, a text file
// read, the chain run (Remove DC, Window, Transform, List), both statistics
// dialogs read, undo and redo, the project saved, closed and opened again
// from the recent files. The test runs on whatever screen the Qt tests get
// (offscreen at scale 1, and on X at scale 2 in CI).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <map>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
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
#include "ShellTestSupport.h"
#include "analysis/CDsStats.h"
#include "app/CModDoc.h"
#include "formats/CDataFiles.h"
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

using test::Settle;

// Answers every window that comes up while a command runs: each dialog by
// its title (a handler that returns), questions with Yes, notes with OK.
// It records what it saw, in order.
class CUser : public QObject {
public:
    using Handler = std::function<void(QWidget&)>;

    CUser() {
        connect(&m_timer, &QTimer::timeout, this, [this] { Look(); });
        m_timer.start(15);
    }
    void On(const QString& title, Handler handler) { m_handlers[title] = std::move(handler); }
    QStringList seen;
    QStringList messages;

private:
    void Look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == m_pBusy) return;
        m_pBusy = modal;
        QString title = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen << "message: " + box->text();
            messages << box->text();
            QAbstractButton* yes = box->button(QMessageBox::Yes);
            (yes ? yes : box->button(QMessageBox::Ok))->click();
        } else {
            seen << title;
            // A title names the dialog, maybe followed by the project.
            auto it = m_handlers.begin();
            while (it != m_handlers.end() && !title.startsWith(it->first)) ++it;
            if (it != m_handlers.end()) {
                it->second(*modal);
            } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->accept();
            }
        }
        m_pBusy = nullptr;
    }

    QTimer m_timer;
    std::map<QString, Handler> m_handlers;
    QWidget* m_pBusy = nullptr;
};

// The action of a menu item found by its texts, as a user finds it.
QAction* MenuItem(CMainWindow& window, const QStringList& path) {
    QMenu* menu = nullptr;
    for (QAction* top : window.menuBar()->actions())
        if (top->isVisible() && top->text() == path.front()) menu = top->menu();
    if (!menu) return nullptr;
    for (int i = 1; i < path.size(); ++i) {
        emit menu->aboutToShow();
        QAction* found = nullptr;
        for (QAction* a : menu->actions())
            if (a->text().section('\t', 0, 0) == path[i]) found = a;
        if (!found) return nullptr;
        if (i + 1 < path.size()) {
            menu = found->menu();
            if (!menu) return nullptr;
        } else {
            return found;
        }
    }
    return nullptr;
}

// Chooses a menu item; fails the test if it is missing or greyed.
void Choose(CMainWindow& window, const QStringList& path) {
    QAction* item = MenuItem(window, path);
    ASSERT_NE(item, nullptr) << path.join(" > ").toStdString();
    ASSERT_TRUE(item->isEnabled()) << path.join(" > ").toStdString() << " is greyed";
    item->trigger();
    Settle();
}

QString FieldText(QWidget& dialog, int id) {
    auto* d = qobject_cast<CQtDialog*>(&dialog);
    auto* edit = d ? qobject_cast<QLineEdit*>(d->ControlWidget(id)) : nullptr;
    return edit ? edit->text() : QString();
}

TEST(EndToEnd, ReadProcessMeasureUndoSaveAndReopen) {
    test::CTempDir dir;
    // 256 real points: a DC of 0.5 and 8 cycles of a sine of amplitude 1.
    const std::string signal = dir / "tone.txt";
    {
        std::ofstream out(signal);
        out.precision(17);
        for (int n = 0; n < 256; ++n) out << 0.5 + std::sin(2 * M_PI * 8 * n / 256.0) << "\n";
    }
    CQtPlatform platform;
    CPlatform* previous = SetPlatform(&platform.Platform());
    for (int i = 1; i <= 4; ++i) platform.SetString("Recent File List", "File" + std::to_string(i), "");
    {
        CMainWindow window(platform);
        window.show();
        window.StartUp();
        Settle();
        ASSERT_EQ(window.Documents().size(), 1u);
        CModDoc* doc = window.Documents().front().get();
        CUser user;

        // Signal > Process...: Remove DC, Window, Transform to Frequency and List.
        user.On("Automatic Processing Options", [](QWidget& w) {
            for (QCheckBox* box : w.findChildren<QCheckBox*>()) {
                const QString text = box->text().remove('&');
                if (text == "Remove DC" || text == "Window" || text == "Transform to Frequency" ||
                    text == "Show Frequency List")
                    if (!box->isChecked()) box->click();
            }
            qobject_cast<QDialog*>(&w)->accept();
        });
        Choose(window, {"&Signal", "Process..."});
        EXPECT_EQ(doc->m_ProcDlg.m_bProcRemoveDc, 1);
        EXPECT_EQ(doc->m_ProcDlg.m_bProcWindow, 1);

        // File > Read Time Data...: the file's name typed in, one column of real values.
        user.On("Read Time Data", [&signal](QWidget& w) {
            auto* d = qobject_cast<CQtDialog*>(&w);
            ASSERT_NE(d, nullptr);
            auto* name = qobject_cast<QLineEdit*>(d->ControlWidget(CDataFiles::IDC_NAME));
            ASSERT_NE(name, nullptr);
            name->selectAll();
            QTest::keyClicks(name, QString::fromStdString(signal));
            auto* format = qobject_cast<QComboBox*>(d->ControlWidget(CDataFiles::IDC_FORMAT));
            ASSERT_NE(format, nullptr);
            format->setCurrentIndex(format->findText("Text:Decimal"));
            auto* complex = qobject_cast<QCheckBox*>(d->ControlWidget(CDataFiles::IDC_COMPLEX));
            ASSERT_NE(complex, nullptr);
            if (complex->isChecked()) complex->click();
            d->accept();
        });
        Choose(window, {"&File", "Read &Time Data..."});
        Settle();
        EXPECT_TRUE(user.messages.contains("Do you want to Remove DC from the Time Data?"))
            << user.seen.join(" | ").toStdString();
        EXPECT_TRUE(user.seen.filter("Window Filter Coefficients").size() == 1) << user.seen.join(" | ").toStdString();
        ASSERT_EQ(doc->m_TimeData.GetCount(), 256);
        double mean = 0;
        for (int n = 0; n < 256; ++n) mean += doc->m_TimeData.Inphase()[n];
        // The DC of 0.5 is gone before the window: the windowed sine alone
        // averages near zero (with the DC left in, about a quarter).
        EXPECT_LT(std::fabs(mean / 256), 0.01);
        EXPECT_NE(doc->m_TimeData.m_nWindow, -1);
        ASSERT_EQ(doc->m_FreqData.GetCount(), 256);
        // The sine's bin stands far above its neighbours, windowed or not.
        auto power = [doc](int k) {
            return std::hypot(doc->m_FreqData.Inphase()[k], doc->m_FreqData.Quadrature()[k]);
        };
        EXPECT_GT(power(8), 100 * power(20));
        // The list window shows the list.
        CListWindow* list = nullptr;
        for (QMdiSubWindow* sub : window.MdiArea()->subWindowList())
            if (auto* l = qobject_cast<CListWindow*>(sub->widget())) list = l;
        ASSERT_NE(list, nullptr);
        EXPECT_FALSE(list->toPlainText().isEmpty());
        EXPECT_EQ(window.StatusLine().Shown(), "Ready");
        EXPECT_EQ(window.statusBar()->currentMessage(), "Ready");

        // Time > Show Statistics...: the DC is gone, the extremes are the sine's.
        QString minimum, maximum, inphaseMean;
        user.On("Time Data Statistics", [&](QWidget& w) {
            minimum = FieldText(w, CDsStats::IDC_MINIMUM);
            maximum = FieldText(w, CDsStats::IDC_MAXIMUM);
            inphaseMean = FieldText(w, CDsStats::IDC_INPHASE_MEAN);
            qobject_cast<QDialog*>(&w)->accept();
        });
        window.MdiArea()->setActiveSubWindow(window.FramesOf(*doc).front());
        Choose(window, {"&Time", "Show &Statistics..."});
        EXPECT_FALSE(minimum.isEmpty());
        EXPECT_LT(minimum.toDouble(), -0.5);
        EXPECT_GT(maximum.toDouble(), 0.5);
        EXPECT_LT(std::abs(inphaseMean.toDouble()), 0.05);

        // Frequency > Show Statistics...
        user.On("Frequency Data Statistics", [](QWidget& w) { qobject_cast<QDialog*>(&w)->accept(); });
        Choose(window, {"Fre&quency", "Show &Statistics..."});
        EXPECT_TRUE(user.seen.contains("Frequency Data Statistics")) << user.seen.join(" | ").toStdString();

        // Undo takes the whole run back, Redo brings it again.
        Choose(window, {"&Signal", "&Undo"});
        EXPECT_TRUE(doc->m_TimeData.IsEmpty());
        EXPECT_TRUE(doc->m_FreqData.IsEmpty());
        Choose(window, {"&Signal", "&Redo"});
        EXPECT_EQ(doc->m_TimeData.GetCount(), 256);
        EXPECT_EQ(doc->m_FreqData.GetCount(), 256);

        // File > Save Project: a name without an extension gets ".kvp".
        const QString saveName = QString::fromStdString(dir / "session");
        int looks = 0;
        user.On("Save As", [&saveName, &looks](QWidget& w) {
            auto* dialog = qobject_cast<QFileDialog*>(&w);
            ASSERT_NE(dialog, nullptr);
            // The name is typed into the file name field, as a user would:
            // QFileDialog::selectFile() leaves the text of a field that has
            // the focus as it is, so once the dialog is the active window it
            // would only change the folder. Whether the dialog is active by
            // the first look depends on the window system's timing.
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(edit, nullptr);
            if (edit->text() != saveName) edit->setText(saveName);
            const QStringList chosen = dialog->selectedFiles();
            if (!chosen.isEmpty() && chosen.front() == saveName) {
                QMetaObject::invokeMethod(dialog, "accept");
                return;
            }
            // A dialog that never takes it fails the test instead of waiting
            // for ever.
            if (++looks > 2000) {
                ADD_FAILURE() << "the save dialog never took the name " << saveName.toStdString();
                QMetaObject::invokeMethod(dialog, "reject");
            }
        });
        Choose(window, {"&File", "&Save Project"});
        EXPECT_EQ(doc->GetPathName(), dir / "session.kvp");
        EXPECT_TRUE(std::ifstream(dir / "session.kvp").good());
        EXPECT_FALSE(doc->IsModified());

        // Close, then the first recent file opens it again.
        Choose(window, {"&File", "&Close Project"});
        Settle();
        ASSERT_EQ(window.Documents().size(), 1u);
        EXPECT_TRUE(window.Documents().front()->m_TimeData.IsEmpty());
        Choose(window, {"&File", "&1 " + QString::fromStdString(dir / "session.kvp")});
        Settle();
        CModDoc* reopened = nullptr;
        for (const auto& d : window.Documents())
            if (d->GetPathName() == dir / "session.kvp") reopened = d.get();
        ASSERT_NE(reopened, nullptr);
        EXPECT_EQ(reopened->m_TimeData.GetCount(), 256);
        EXPECT_EQ(reopened->m_FreqData.GetCount(), 256);
        EXPECT_EQ(reopened->m_ProcDlg.m_bProcWindow, 1);
        // Plot windows of both data, and the menus of a plot window.
        int plots = 0;
        for (CProjectFrame* f : window.FramesOf(*reopened))
            if (qobject_cast<CPlotWidget*>(f->widget())) ++plots;
        EXPECT_EQ(plots, 2);
        EXPECT_NE(MenuItem(window, {"&Plot", "Zoom &In"}), nullptr);
        reopened->SetModified(false);
        for (const auto& d : window.Documents()) d->SetModified(false);
    }
    SetPlatform(previous);
}

}  // namespace
}  // namespace kv

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "platform/CDialogModel.h"
#include "platform/CPropertySheetModel.h"
#include "qt/CQtControlPanel.h"
#include "qt/CQtPlatform.h"
#include "qt/CQtPropertySheet.h"

namespace kv {
namespace {

class CNumberPage : public CDialogModel {
public:
    enum { IDC_VALUE = 60 };
    explicit CNumberPage(const char* title) : CDialogModel(title) {}
    float m_fValue = 1.5f;

protected:
    void CreateControls() override { AddEdit(IDC_VALUE, "Value"); }
    void DoDataExchange(CDataExchange& dx) override { dx.Text(IDC_VALUE, m_fValue); }
};

TEST(QtPropertySheet, ARefusedPageKeepsItsTabAndOkTakesTheValues) {
    CQtPlatform platform;
    CPlatform* previous = SetPlatform(&platform.Platform());
    CNumberPage first("First"), second("Second");
    second.m_fValue = 2.5f;
    CPropertySheetModel model("Sheet");
    model.AddPage(first);
    model.AddPage(second);
    QString warning;
    int tabAfterRefusal = -1;
    QString secondText;

    QTimer::singleShot(0, [&] {
        auto* sheet = qobject_cast<CQtPropertySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->Tabs()->count(), 2);
        EXPECT_EQ(sheet->Tabs()->tabText(1), "Second");
        auto* edit = qobject_cast<QLineEdit*>(sheet->Panel(0)->ControlWidget(CNumberPage::IDC_VALUE));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), "1.5");
        edit->selectAll();
        QTest::keyClicks(edit, "oops");
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            warning = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        sheet->Tabs()->setCurrentIndex(1);
        tabAfterRefusal = sheet->Tabs()->currentIndex();
        edit->selectAll();
        QTest::keyClicks(edit, "3");
        sheet->Tabs()->setCurrentIndex(1);
        auto* edit2 = qobject_cast<QLineEdit*>(sheet->Panel(1)->ControlWidget(CNumberPage::IDC_VALUE));
        secondText = edit2->text();
        sheet->accept();
    });
    CQtPropertySheet sheet(model);
    EXPECT_TRUE(sheet.Run());
    EXPECT_EQ(warning, "Enter a number.");
    EXPECT_EQ(tabAfterRefusal, 0);
    EXPECT_EQ(secondText, "2.5");
    EXPECT_EQ(first.m_fValue, 3.0f);
    SetPlatform(previous);
}

}  // namespace
}  // namespace kv

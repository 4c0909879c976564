#include <gtest/gtest.h>

#include "platform/CDialogModel.h"
#include "platform/CPropertySheetModel.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

// A page whose value must stay below 10 to be left.
class CLimitedPage : public CDialogModel {
public:
    enum { IDC_VALUE = 50 };
    explicit CLimitedPage(const char* title) : CDialogModel(title) {}
    int32_t m_nValue = 1;
    int activations = 0;

protected:
    void CreateControls() override { AddEdit(IDC_VALUE, "Value"); }
    void DoDataExchange(CDataExchange& dx) override { dx.Text(IDC_VALUE, m_nValue); }
    bool OnSetActive() override {
        ++activations;
        return true;
    }
    bool OnKillActive() override {
        if (!UpdateData(true)) return false;
        if (m_nValue >= 10) {
            ErrorBox("too big");
            return false;
        }
        return true;
    }
};

TEST(PropertySheet, PagesAreSetUpWhenFirstShownAndCheckedWhenLeft) {
    test::CScriptedPlatform platform;
    CLimitedPage a("A"), b("B"), c("C");
    b.m_nValue = 4;
    CPropertySheetModel sheet("Sheet");
    sheet.AddPage(a);
    sheet.AddPage(b);
    sheet.AddPage(c);
    platform.OnPropertySheet([&](CPropertySheetModel& s) {
        EXPECT_TRUE(s.WasShown(0));
        EXPECT_FALSE(s.WasShown(1));
        a.SimulateText(CLimitedPage::IDC_VALUE, "12");
        EXPECT_FALSE(s.SetActivePage(1));  // refused: stays on A
        EXPECT_EQ(s.ActivePage(), 0);
        a.SimulateText(CLimitedPage::IDC_VALUE, "x");
        EXPECT_FALSE(s.SetActivePage(1));
        a.SimulateText(CLimitedPage::IDC_VALUE, "7");
        EXPECT_TRUE(s.SetActivePage(1));
        EXPECT_EQ(b.GetDlgItemText(CLimitedPage::IDC_VALUE), "4");
        b.SimulateText(CLimitedPage::IDC_VALUE, "99");
        s.PressOK();  // the active page's check runs first
        EXPECT_FALSE(s.IsEnded());
        b.SimulateText(CLimitedPage::IDC_VALUE, "5");
        s.PressOK();
    });
    EXPECT_TRUE(RunPropertySheet(sheet));
    EXPECT_EQ(a.m_nValue, 7);
    EXPECT_EQ(b.m_nValue, 5);
    EXPECT_EQ(c.m_nValue, 1);
    EXPECT_FALSE(sheet.WasShown(2));
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"too big", "Enter an integer.", "too big"}));
    EXPECT_EQ(platform.dialogTitles, std::vector<std::string>{"Sheet"});
}

TEST(PropertySheet, CancelKeepsEveryPage) {
    test::CScriptedPlatform platform;
    CLimitedPage a("A");
    CPropertySheetModel sheet("Sheet");
    sheet.AddPage(a);
    platform.OnPropertySheet([&](CPropertySheetModel& s) {
        a.SimulateText(CLimitedPage::IDC_VALUE, "3");
        s.PressCancel();
    });
    EXPECT_FALSE(RunPropertySheet(sheet));
    EXPECT_EQ(a.m_nValue, 1);
}

}  // namespace
}  // namespace kv

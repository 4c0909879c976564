#include <gtest/gtest.h>

#include <limits>

#include "data/CFloatArray.h"
#include "platform/CDialogModel.h"
#include "platform/StringTable.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

class CSample : public CDialogModel {
public:
    enum { IDC_F = 10, IDC_D, IDC_N, IDC_S, IDC_CHECK, IDC_R0, IDC_R1, IDC_R2, IDC_LIST };
    CSample() : CDialogModel("Sample") {}
    float m_f = 0.1f;
    double m_d = 1.0 / 3.0;
    int32_t m_n = -7;
    std::string m_s = "text";
    int32_t m_check = 1;
    int32_t m_radio = 2;
    int32_t m_list = 1;
    int focusCalls = 0;

protected:
    void CreateControls() override {
        int g = AddGroup("Group");
        AddEdit(IDC_F, "F", g, 0);
        AddEdit(IDC_D, "D", g, 1);
        AddEdit(IDC_N, "N", g, 2);
        AddEdit(IDC_S, "S", g, 3);
        AddControl(IDC_CHECK, ControlKind::CheckBox, "Check");
        AddRadio(IDC_R0, "A", 0);
        AddRadio(IDC_R1, "B", 0);
        AddRadio(IDC_R2, "C", 0);
        AddControl(IDC_LIST, ControlKind::DropList, "").m_items = {"x", "y", "z"};
    }
    void DoDataExchange(CDataExchange& dx) override {
        dx.Text(IDC_F, m_f);
        dx.Text(IDC_D, m_d);
        dx.Text(IDC_N, m_n);
        dx.MinMaxInt(m_n, -10, 10);
        dx.Text(IDC_S, m_s);
        dx.Check(IDC_CHECK, m_check);
        dx.Radio(IDC_R0, m_radio);
        dx.ListIndex(IDC_LIST, m_list);
    }
    void OnSetFocus(int) override { ++focusCalls; }
};

TEST(DialogModel, ShowsFloatsWithSixAndDoublesWithFifteenDigits) {
    CSample d;
    d.BeginModal();
    EXPECT_EQ(d.GetDlgItemText(CSample::IDC_F), "0.1");
    EXPECT_EQ(d.GetDlgItemText(CSample::IDC_D), "0.333333333333333");
    EXPECT_EQ(d.GetDlgItemText(CSample::IDC_N), "-7");
    EXPECT_EQ(d.GetDlgItemText(CSample::IDC_S), "text");
    EXPECT_EQ(d.IsDlgButtonChecked(CSample::IDC_CHECK), 1);
    EXPECT_EQ(d.GetCheckedRadioButton(CSample::IDC_R0), 2);
    EXPECT_EQ(d.GetDlgItemText(CSample::IDC_LIST), "y");
    EXPECT_EQ(FormatFloatField(123456789.0f), "1.23457e+08");
    EXPECT_EQ(FormatDoubleField(48000.0), "48000");
}

// OK on a field whose text is still what was shown keeps the value exactly,
// even where fifteen digits do not read back to it; other text is read.
TEST(DialogModel, UntouchedDoubleFieldsKeepTheirValueToTheBit) {
    for (double value : {std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(), 1.0 / 3.0,
                         0.1 + 0.2, std::numeric_limits<double>::denorm_min()}) {
        CSample d;
        d.m_d = value;
        d.BeginModal();
        d.SimulateClick(IDOK);
        ASSERT_TRUE(d.IsEnded());
        EXPECT_EQ(d.m_d, value) << FormatDoubleField(value);
    }
    CSample edited;
    edited.m_d = std::numeric_limits<double>::max();
    edited.BeginModal();
    edited.SimulateText(CSample::IDC_D, "1.7976931348623e+308");
    edited.SimulateClick(IDOK);
    ASSERT_TRUE(edited.IsEnded());
    EXPECT_EQ(edited.m_d, 1.7976931348623e+308);
}

TEST(DialogModel, RefusedFieldsKeepTheDialogOpenOnThatField) {
    test::CScriptedPlatform platform;
    CSample d;
    d.BeginModal();
    struct Case {
        int id;
        const char* text;
        const char* message;
    } cases[] = {
        {CSample::IDC_F, "", "Enter a number."},
        {CSample::IDC_F, "1.5x", "Enter a number."},
        {CSample::IDC_D, "abc", "Enter a number."},
        {CSample::IDC_N, "1.5", "Enter an integer."},
        {CSample::IDC_N, "3000000000", "Enter an integer."},
        {CSample::IDC_N, "- 3", "Enter an integer."},
        {CSample::IDC_N, "11", "Enter an integer between -10 and 10."},
    };
    for (const Case& c : cases) {
        CSample fresh;
        fresh.BeginModal();
        fresh.SimulateText(c.id, c.text);
        fresh.SimulateClick(IDOK);
        EXPECT_FALSE(fresh.IsEnded()) << c.text;
        EXPECT_EQ(fresh.FocusRequest(), c.id) << c.text;
        ASSERT_FALSE(platform.messages.empty());
        EXPECT_EQ(platform.messages.back().text, c.message) << c.text;
        EXPECT_EQ(platform.messages.back().icon, MsgIcon::Warning);
    }
    d.SimulateText(CSample::IDC_F, " 2.5e3 ");
    d.SimulateText(CSample::IDC_N, "+9");
    d.SimulateClick(CSample::IDC_R0);
    d.SimulateClick(CSample::IDC_CHECK);
    d.SimulateSelect(CSample::IDC_LIST, 2);
    d.SimulateFocus(CSample::IDC_F);
    d.SimulateClick(IDOK);
    ASSERT_TRUE(d.IsEnded());
    EXPECT_EQ(d.Result(), IDOK);
    EXPECT_EQ(d.m_f, 2500.0f);
    EXPECT_EQ(d.m_n, 9);
    EXPECT_EQ(d.m_radio, 0);
    EXPECT_EQ(d.m_check, 0);
    EXPECT_EQ(d.m_list, 2);
    EXPECT_EQ(d.focusCalls, 1);
}

TEST(DialogModel, UnknownControlsAreProgrammingErrors) {
    CSample d;
    d.BeginModal();
    EXPECT_THROW(d.Control(999), std::logic_error);
    EXPECT_EQ(d.FindControl(999), nullptr);
}

TEST(StringTable, SubstitutesArguments) {
    EXPECT_EQ(LoadString(IDS_READY), "Ready");
    EXPECT_EQ(FormatString(IDS_ENTER_INTEGER_BETWEEN, "1", "64"), "Enter an integer between 1 and 64.");
    EXPECT_EQ(CStringTable::Substitute("%2-%1-%3%", "a", "b"), "b-a-%3%");
    EXPECT_EQ(StringPrintf("Transforming %li points", 1024L), "Transforming 1024 points");
}

// Texts of every length around the short buffer's end come out whole: a
// 300-digit number, and padding to 254 ... 258 characters.
TEST(StringTable, PrintsTextsOfAnyLength) {
    const std::string huge = StringPrintf("%.1f", 1e300);
    EXPECT_EQ(huge.size(), 303u);
    EXPECT_EQ(huge.substr(0, 4), "1000");
    EXPECT_EQ(huge.substr(huge.size() - 2), ".0");
    for (int width = 254; width <= 258; ++width) {
        const std::string padded = StringPrintf("%*d|", width, 7);
        ASSERT_EQ(padded.size(), static_cast<size_t>(width) + 1);
        EXPECT_EQ(padded.substr(padded.size() - 2), "7|");
        EXPECT_EQ(padded.find_first_not_of(' '), static_cast<size_t>(width) - 1);
    }
    EXPECT_EQ(StringPrintf("%s", ""), "");
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST(Platform, AnAllocationThatCannotBeMadeIsReportedNotFatal) {
    test::CScriptedPlatform platform;
    CFloatArray values;
    bool ok = RunGuarded([&] { values.SetSize(-1); });
    EXPECT_FALSE(ok);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, LoadString(IDS_OUT_OF_MEMORY));
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
    EXPECT_TRUE(RunGuarded([&] { values.SetSize(3); }));
    EXPECT_EQ(values.GetSize(), 3);
}

}  // namespace
}  // namespace kv

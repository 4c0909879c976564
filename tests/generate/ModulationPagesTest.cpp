#include <gtest/gtest.h>

#include <string>

#include "app/CModDoc.h"
#include "generate/CAudio.h"
#include "generate/CIFFilter.h"
#include "generate/CModParm.h"
#include "generate/CNoise.h"
#include "generate/CQuadErr.h"
#include "generate/CSamp.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

// Opens a page as the sheet does, so its controls show the members.
template <class Page>
void Show(Page& page) {
    page.BeginModal();
}

TEST(ModulationPages, ControlsShowTheMembersAndReadThemBack) {
    test::CScriptedPlatform p;
    CModParm mod;
    Show(mod);
    EXPECT_EQ(mod.GetDlgItemText(CModParm::IDC_CARRIER_FREQUENCY), "1");
    EXPECT_EQ(mod.GetDlgItemText(CModParm::IDC_PERCENT_MOD), "30");
    EXPECT_EQ(mod.IsDlgButtonChecked(CModParm::IDC_AM), 1);
    mod.SimulateClick(CModParm::IDC_NO_CARRIER);
    mod.SimulateText(CModParm::IDC_CARRIER_FREQUENCY, "0.1234567");
    mod.SimulateText(CModParm::IDC_HILBERT_FILTER, "hilbert.fir");
    ASSERT_TRUE(mod.OnKillActive());
    EXPECT_EQ(mod.m_nModulation, CModParm::NoCarrier);
    EXPECT_EQ(mod.m_fCarrierFrequency, 0.1234567f);
    EXPECT_EQ(mod.m_strHilbertFilter, "hilbert.fir");
    mod.UpdateData(false);
    EXPECT_EQ(mod.GetDlgItemText(CModParm::IDC_CARRIER_FREQUENCY), "0.123457") << "six significant digits";

    CAudio audio;
    Show(audio);
    EXPECT_EQ(audio.GetDlgItemText(CAudio::IDC_FILE_NAME), ".AUD");
    EXPECT_EQ(audio.IsDlgButtonChecked(CAudio::IDC_SINE), 1);
    EXPECT_EQ(audio.IsDlgButtonChecked(CAudio::IDC_GEN_SOURCE), 1);
    audio.SimulateClick(CAudio::IDC_SAWTOOTH);
    audio.SimulateClick(CAudio::IDC_FILE_SOURCE);
    audio.SimulateText(CAudio::IDC_FILE_NAME, "  my audio.txt ");
    ASSERT_TRUE(audio.OnKillActive());
    EXPECT_EQ(audio.m_nAudioWaveform, CAudio::Sawtooth);
    EXPECT_EQ(audio.m_nAudioSource, CAudio::File);
    EXPECT_EQ(audio.m_strAudioFile, "  my audio.txt ") << "stored exactly as typed";

    CQuadErr errors;
    Show(errors);
    EXPECT_EQ(errors.IsDlgButtonChecked(CQuadErr::IDC_DISABLE_DC), 1);
    EXPECT_EQ(errors.GetDlgItemText(CQuadErr::IDC_DC_OFFSET_I), "-300");
    errors.SimulateClick(CQuadErr::IDC_DISABLE_QUAD);
    errors.SimulateText(CQuadErr::IDC_PHASE_ERROR, "-12.5");
    ASSERT_TRUE(errors.OnKillActive());
    EXPECT_EQ(errors.m_bDisableQuad, 0);
    EXPECT_EQ(errors.m_fPhaseError, -12.5f);

    CIFFilter filter;
    Show(filter);
    filter.SimulateText(CIFFilter::IDC_INPHASE_FILTER, "i.fir");
    filter.SimulateText(CIFFilter::IDC_QUADRATURE_FILTER, "q.fir");
    ASSERT_TRUE(filter.OnKillActive());
    EXPECT_EQ(filter.m_strInphaseFilter, "i.fir");
    EXPECT_EQ(filter.m_strQuadratureFilter, "q.fir");
    EXPECT_TRUE(p.messages.empty());
}

TEST(ModulationPages, RangesAreCheckedWithSixDigitLimits) {
    test::CScriptedPlatform p;
    struct Case {
        CDialogModel* page;
        int id;
        const char* text;
        const char* message;
    };
    CModParm mod;
    CQuadErr errors;
    CNoise noise;
    Show(mod);
    Show(errors);
    Show(noise);
    const Case cases[] = {
        {&mod, CModParm::IDC_PERCENT_MOD, "150", "Enter a number between 0 and 100."},
        {&mod, CModParm::IDC_CARRIER_FREQUENCY, "-1", "Enter a number between 0 and 1e+20."},
        {&mod, CModParm::IDC_CARRIER_PHASE, "360.5", "Enter a number between -360 and 360."},
        {&mod, CModParm::IDC_DEVIATION, "2e20", "Enter a number between 0 and 1e+20."},
        {&errors, CQuadErr::IDC_DC_OFFSET_Q, "201", "Enter a number between -300 and 200."},
        {&errors, CQuadErr::IDC_Q_AMPLITUDE, "-301", "Enter a number between -300 and 200."},
        {&errors, CQuadErr::IDC_PHASE_ERROR, "-361", "Enter a number between -360 and 360."},
        {&noise, CNoise::IDC_LEVEL, "-121", "Enter a number between -120 and 120."},
        {&noise, CNoise::IDC_LEVEL, "abc", "Enter a number."},
        {&noise, CNoise::IDC_LEVEL, "nan", "Enter a number between -120 and 120."},
        {&noise, CNoise::IDC_SEED, "-1", "Enter a positive integer."},
        {&noise, CNoise::IDC_SEED, "4294967296", "Enter a positive integer."},
        {&noise, CNoise::IDC_SEED, "1.5", "Enter a positive integer."},
    };
    for (const Case& c : cases) {
        const std::string before = c.page->GetDlgItemText(c.id);
        c.page->SimulateText(c.id, c.text);
        p.messages.clear();
        c.page->ClearFocusRequest();
        EXPECT_FALSE(c.page->OnKillActive()) << c.text;
        ASSERT_EQ(p.messages.size(), 1u) << c.text;
        EXPECT_EQ(p.messages[0].text, c.message);
        EXPECT_EQ(c.page->FocusRequest(), c.id) << "the page stays on the field";
        c.page->SimulateText(c.id, before);
        EXPECT_TRUE(c.page->OnKillActive()) << before;
    }
    // A refused value does not reach the member; the limits themselves pass.
    EXPECT_EQ(mod.m_fPercentMod, 30.0f);
    mod.SimulateText(CModParm::IDC_PERCENT_MOD, "100");
    EXPECT_TRUE(mod.OnKillActive());
    EXPECT_EQ(mod.m_fPercentMod, 100.0f);
    noise.SimulateText(CNoise::IDC_SEED, "4294967295");
    EXPECT_TRUE(noise.OnKillActive());
    EXPECT_EQ(noise.m_nSeed, 4294967295u);
}

TEST(ModulationPages, CwNeedsACarrierFrequency) {
    test::CScriptedPlatform p;
    CModParm mod;
    Show(mod);
    mod.SimulateText(CModParm::IDC_CARRIER_FREQUENCY, "0");
    EXPECT_TRUE(mod.OnKillActive()) << "AM with carrier 0 is accepted";
    EXPECT_TRUE(p.messages.empty());
    mod.SimulateClick(CModParm::IDC_CW);
    EXPECT_FALSE(mod.OnKillActive());
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "You must have a non-zero carrier\n frequency for CW modulation.");
    EXPECT_EQ(p.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(mod.FocusRequest(), CModParm::IDC_CARRIER_FREQUENCY);
    mod.SimulateText(CModParm::IDC_CARRIER_FREQUENCY, "1e-30");
    EXPECT_TRUE(mod.OnKillActive());
}

TEST(ModulationPages, SmallScaleWithQuantizationAsksWhetherToKeepIt) {
    test::CScriptedPlatform p;
    const std::string question = "Quantization is active with small\n scaling.  Retain quantization";
    CSamp samp;
    Show(samp);
    EXPECT_TRUE(samp.OnKillActive()) << "no quantization: no question";
    EXPECT_TRUE(p.messages.empty());

    samp.SimulateClick(CSamp::IDC_ROUND);
    p.AnswerNo();
    EXPECT_TRUE(samp.OnKillActive());
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, question);
    EXPECT_EQ(p.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(samp.m_nQuantization, CSamp::NoQuantization);
    EXPECT_EQ(samp.IsDlgButtonChecked(CSamp::IDC_NO_QUANTIZATION), 1) << "the page shows the change";

    samp.SimulateClick(CSamp::IDC_TRUNCATE);
    samp.SimulateText(CSamp::IDC_SCALE, "0.5");
    p.AnswerYes();
    EXPECT_TRUE(samp.OnKillActive());
    EXPECT_EQ(samp.m_nQuantization, CSamp::Truncate);

    p.messages.clear();
    samp.SimulateText(CSamp::IDC_SCALE, "256");
    EXPECT_TRUE(samp.OnKillActive());
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(samp.m_fScale, 256.0f);

    samp.SimulateText(CSamp::IDC_SAMPLE_COUNT, "-5");
    EXPECT_FALSE(samp.OnKillActive());
    EXPECT_EQ(p.messages.back().text, "Enter a positive integer.");
    samp.SimulateText(CSamp::IDC_SAMPLE_COUNT, "1000");
    samp.SimulateText(CSamp::IDC_SATURATION, "inf");
    EXPECT_FALSE(samp.OnKillActive());
    EXPECT_EQ(p.messages.back().text, "Enter a number.");
    samp.SimulateText(CSamp::IDC_SATURATION, "32767");
    EXPECT_TRUE(samp.OnKillActive());
    EXPECT_EQ(samp.m_nSampleCount, 1000u);
    EXPECT_EQ(samp.m_fSaturation, 32767.0f);
}

// ---------------------------------------------------------------------------
// The sheet

TEST(SignalGeneratorSheet, PagesInSheetOrderAndCancelKeepsThePages) {
    test::CScriptedPlatform p;
    CModDoc doc;
    std::vector<std::string> titles;
    p.OnPropertySheet([&](CPropertySheetModel& sheet) {
        for (CDialogModel* page : sheet.Pages()) titles.push_back(page->m_strTitle);
        ASSERT_TRUE(sheet.SetActivePage(2));
        sheet.Page(2).SimulateText(CModParm::IDC_PERCENT_MOD, "80");
        ASSERT_TRUE(sheet.SetActivePage(5));  // the Modulation page took its value
        sheet.PressCancel();
    });
    doc.SignalGeneratorCommand();
    ASSERT_EQ(p.dialogTitles.size(), 1u);
    EXPECT_EQ(p.dialogTitles[0], "Signal Generator");
    EXPECT_EQ(titles, (std::vector<std::string>{"Sample", "Audio", "Modulation", "IF Filter", "IF Errors", "Noise"}));
    EXPECT_EQ(doc.m_ModParm.m_fPercentMod, 30.0f) << "Cancel keeps what the pages held";
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.m_TimeData.IsEmpty());
}

TEST(SignalGeneratorSheet, APageThatRefusesToBeLeftKeepsTheSheetOnIt) {
    test::CScriptedPlatform p;
    CModDoc doc;
    p.OnPropertySheet([&](CPropertySheetModel& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(2));
        CDialogModel& mod = sheet.Page(2);
        mod.SimulateClick(CModParm::IDC_CW);
        mod.SimulateText(CModParm::IDC_CARRIER_FREQUENCY, "0");
        EXPECT_FALSE(sheet.SetActivePage(3));
        EXPECT_EQ(sheet.ActivePage(), 2);
        sheet.PressOK();
        EXPECT_FALSE(sheet.IsEnded()) << "OK runs the active page's check too";
        mod.SimulateText(CModParm::IDC_PERCENT_MOD, "150");
        mod.SimulateText(CModParm::IDC_CARRIER_FREQUENCY, "2");
        sheet.PressOK();
        EXPECT_FALSE(sheet.IsEnded());
        mod.SimulateText(CModParm::IDC_PERCENT_MOD, "50");
        sheet.PressOK();
    });
    doc.SignalGeneratorCommand();
    EXPECT_EQ(p.MessageTexts(), (std::vector<std::string>{
                                    "You must have a non-zero carrier\n frequency for CW modulation.",
                                    "You must have a non-zero carrier\n frequency for CW modulation.",
                                    "Enter a number between 0 and 100."}));
    EXPECT_EQ(doc.m_ModParm.m_nModulation, CModParm::CW);
    EXPECT_EQ(doc.m_ModParm.m_fCarrierFrequency, 2.0f);
    EXPECT_EQ(doc.m_ModParm.m_fPercentMod, 50.0f);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_TimeData.GetCount(), 256) << "OK generates";
}

TEST(SignalGeneratorSheet, TheSampleQuestionComesWhenLeavingThePageOrPressingOk) {
    test::CScriptedPlatform p;
    CModDoc doc;
    p.OnPropertySheet([&](CPropertySheetModel& sheet) {
        sheet.Page(0).SimulateClick(CSamp::IDC_ROUND);
        p.AnswerNo();
        sheet.PressOK();
    });
    doc.SignalGeneratorCommand();
    EXPECT_EQ(p.messages.at(0).text, "Quantization is active with small\n scaling.  Retain quantization");
    EXPECT_EQ(doc.m_Samp.m_nQuantization, CSamp::NoQuantization);
    EXPECT_EQ(p.unansweredQuestions, 0);
}

}  // namespace
}  // namespace kv

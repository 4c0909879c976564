#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/CModDoc.h"
#include "data/CKalvoData.h"
#include "generate/CGenerate.h"
#include "generate/WaveformSynthesis.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

std::vector<double> Column(const CDataColumn& c) { return std::vector<double>(c.begin(), c.end()); }

TEST(WaveformGenerator, TheDefaultComplexSine) {
    CKalvoData data;
    CGenerate g;
    SynthesizeCycles(data, g.m_nSamples, g.m_fCycles, g.m_dPhase, g.m_nWaveform, g.m_bComplex != 0);
    ASSERT_EQ(data.GetCount(), 1024);
    EXPECT_EQ(data.Inphase()[0], 1.0);
    EXPECT_NEAR(data.Quadrature()[0], 0.0, 1e-15);
    EXPECT_NEAR(data.Inphase()[64], 0.0, 1e-12);
    EXPECT_NEAR(data.Quadrature()[64], 1.0, 1e-12);
    EXPECT_EQ(data.m_bReal, 0);
    EXPECT_EQ(data.m_nWindow, -1);
    EXPECT_EQ(data.m_nStop, 1023);
}

TEST(WaveformGenerator, APhaseOfExactlyTwoPiIsNotWrapped) {
    CKalvoData data;
    SynthesizeCycles(data, 8, 2.0, 0.0, CGenerate::Square, false);
    EXPECT_EQ(Column(data.Inphase()), (std::vector<double>{1, 1, -1, -1, -1, 1, -1, -1}));
    EXPECT_EQ(Column(data.Quadrature()), std::vector<double>(8, 0.0));
    EXPECT_EQ(data.m_bReal, 1);
    SynthesizeCycles(data, 2, 0.5, 360.0, CGenerate::Square, false);
    EXPECT_EQ(data.Inphase()[0], -1.0);
    SynthesizeCycles(data, 2, 0.5, 0.0, CGenerate::Square, false);
    EXPECT_EQ(data.Inphase()[0], 1.0);
}

TEST(WaveformGenerator, TriangleAndSawtoothShapes) {
    CKalvoData data;
    SynthesizeCycles(data, 4, 1.0, 0.0, CGenerate::Triangle, false);
    EXPECT_EQ(data.Inphase()[0], 1.0);
    EXPECT_NEAR(data.Inphase()[1], 0.0, 1e-15);
    EXPECT_NEAR(data.Inphase()[2], -1.0, 1e-15);
    SynthesizeCycles(data, 4, 1.0, 90.0, CGenerate::Triangle, false);
    EXPECT_NEAR(data.Inphase()[0], 0.0, 1e-15);
    SynthesizeCycles(data, 4, 1.0, 0.0, CGenerate::Sawtooth, false);
    ASSERT_EQ(data.GetCount(), 4);
    EXPECT_EQ(data.Inphase()[0], -1.0);
    EXPECT_NEAR(data.Inphase()[1], -0.5, 1e-15);
    EXPECT_NEAR(data.Inphase()[2], 0.0, 1e-15);
    EXPECT_NEAR(data.Inphase()[3], 0.5, 1e-15);
}

TEST(WaveformGenerator, FrequencyAndCyclesAgreeAndQuadratureLagsAQuarterPeriod) {
    CKalvoData byFrequency, byCycles;
    SynthesizeWaveform(byFrequency, 4, true, CGenerate::Sine, 0.25, 0.0);
    SynthesizeCycles(byCycles, 4, 1.0, 0.0, CGenerate::Sine, true);
    EXPECT_EQ(Column(byFrequency.Inphase()), Column(byCycles.Inphase()));
    EXPECT_EQ(Column(byFrequency.Quadrature()), Column(byCycles.Quadrature()));

    CKalvoData square;
    SynthesizeCycles(square, 8, 1.0, 0.0, CGenerate::Square, true);
    EXPECT_EQ(Column(square.Inphase()), (std::vector<double>{1, 1, 1, 1, -1, -1, -1, -1}));
    EXPECT_EQ(Column(square.Quadrature()), (std::vector<double>{-1, -1, 1, 1, 1, 1, -1, -1}));

    CKalvoData none;
    SynthesizeCycles(none, 0, 4.0, 0.0, CGenerate::Sine, true);
    EXPECT_TRUE(none.IsEmpty());
}

TEST(WaveformGenerator, FocusSelectsTheRateAndTheWaveformListHoldsFourNames) {
    test::CScriptedPlatform platform;
    CGenerate g;
    g.BeginModal();
    EXPECT_EQ(g.Control(CGenerate::IDC_WAVEFORM).m_items,
              (std::vector<std::string>{"Sine", "Square", "Triangle", "Sawtooth"}));
    EXPECT_EQ(g.GetDlgItemText(CGenerate::IDC_FREQUENCY), "0.125");
    g.SimulateText(CGenerate::IDC_SAMPLES, "64");
    g.SimulateFocus(CGenerate::IDC_FREQUENCY);
    EXPECT_EQ(g.m_nRateType, 0);
    EXPECT_EQ(g.m_nSamples, 64);
    EXPECT_EQ(g.GetCheckedRadioButton(CGenerate::IDC_RATE_FREQUENCY), 0);
    g.SimulateFocus(CGenerate::IDC_CYCLES);
    EXPECT_EQ(g.m_nRateType, 1);
    g.SimulateText(CGenerate::IDC_SAMPLES, "1.5");
    g.SimulateClick(IDOK);
    EXPECT_FALSE(g.IsEnded());
    EXPECT_EQ(platform.messages.back().text, "Enter an integer.");
    g.SimulateText(CGenerate::IDC_SAMPLES, "8");
    g.SimulateSelect(CGenerate::IDC_WAVEFORM, 3);
    g.SimulateClick(IDOK);
    EXPECT_TRUE(g.IsEnded());
    EXPECT_EQ(g.m_nWaveform, 3);
}

TEST(WaveformGenerator, PagesKeepTheirDefaults) {
    CModDoc doc;
    EXPECT_EQ(doc.m_Samp.m_nSampleCount, 256u);
    EXPECT_EQ(doc.m_Samp.m_nQuantization, 2);
    EXPECT_EQ(doc.m_ModParm.m_fPercentMod, 30.0f);
    EXPECT_EQ(doc.m_Audio.m_strAudioFile, ".AUD");
    EXPECT_EQ(doc.m_Noise.m_fNoiseLevel, -45.0f);
    EXPECT_EQ(doc.m_QuadErr.m_fDcOffsetI, -300.0f);
    EXPECT_EQ(doc.m_QuadErr.m_bDisableQuad, 1);
    EXPECT_TRUE(doc.m_IFFilter.m_strInphaseFilter.empty());
    EXPECT_EQ(doc.m_IFFilter.m_strTitle, "IF Filter");
}

}  // namespace
}  // namespace kv

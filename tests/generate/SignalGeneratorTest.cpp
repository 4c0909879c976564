#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/CCommandTable.h"
#include "app/CModDoc.h"
#include "app/ProjectBytes.h"
#include "generate/ModulatedSignal.h"
#include "platform/CArchive.h"
#include "platform/CMemFile.h"
#include "support/CScriptedPlatform.h"
#include "support/CScriptedWindows.h"

namespace kv {
namespace {

std::vector<double> Values(const CDataColumn& c) { return std::vector<double>(c.begin(), c.end()); }

class TempFile {
public:
    TempFile(const std::string& contents, const std::string& name) {
        m_path = (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + "_" + name)).string();
        std::ofstream(m_path, std::ios::binary) << contents;
    }
    ~TempFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// A generator project with its sampling frequency set.
struct GenDoc : CModDoc {
    explicit GenDoc(double fs = 8.0) {
        m_Fs.SetValue(fs);
        m_TimeData.ApplyFs(m_Fs);
        m_FreqData.ApplyFs(m_Fs);
    }
};

TEST(SignalGenerator, TheDefaultSignal) {
    test::CScriptedPlatform p;
    test::CScriptedWindows windows;
    GenDoc doc;
    doc.m_FreqData.Inphase().Append(7.0);
    doc.m_FreqData.Quadrature().Append(0.0);
    const bool couldUndo = doc.CanUndo();
    ASSERT_TRUE(doc.GenerateSignal());

    EXPECT_EQ(p.statusTexts, (std::vector<std::string>{"You need to Generate.", "Generating Audio...",
                                                       "Modulating...", "Adding Noise...", "Filtering IF...",
                                                       "Demodulating AM...", "Demodulating FM...",
                                                       "Updating Views...", "Ready"}));
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(p.waitCursorCount, 1);
    EXPECT_EQ(p.waitCursorDepth, 0);

    const CDataColumn& audio = doc.m_Internal.GetColumn(CModDoc::AUDIO_COLUMN);
    ASSERT_EQ(audio.GetSize(), 256);
    EXPECT_NEAR(audio[0], std::cos(2 * M_PI / 8), 1e-7);
    const CKalvoData& t = doc.m_TimeData;
    ASSERT_EQ(t.GetCount(), 256);
    const double m = 0.3f;
    for (int i = 0; i < 256; ++i) {
        const double e = std::hypot(t.Inphase()[i], t.Quadrature()[i]);
        ASSERT_GE(e, 0.35 - 1e-7);
        ASSERT_LE(e, 0.65 + 1e-7);
        ASSERT_NEAR(e, 0.5 + 0.5 * m * audio[i], 1e-12) << i;
    }
    // Sample 0 lies at carrier phase 0.
    EXPECT_EQ(t.Inphase()[0], 0.5 + 0.5 * m * audio[0]);
    EXPECT_EQ(t.Quadrature()[0], 0.0);
    EXPECT_EQ(t.m_bReal, 0);
    EXPECT_EQ(t.m_nStart, 0);
    EXPECT_EQ(t.m_nStop, 255);
    // The internal columns: magnitude and phase steps of the result.
    EXPECT_EQ(Values(doc.m_Internal.GetColumn(CModDoc::AM_COLUMN))[10],
              std::sqrt(t.Inphase()[10] * t.Inphase()[10] + t.Quadrature()[10] * t.Quadrature()[10]));
    EXPECT_NEAR(doc.m_Internal.GetColumn(CModDoc::FM_COLUMN)[5], 2.0 / 8.0, 1e-6);
    // The Frequency Data is left alone, no snapshot is taken, the project is
    // modified, and the plot is shown and redrawn from its top zoom.
    EXPECT_EQ(doc.m_FreqData.GetCount(), 1);
    EXPECT_EQ(doc.CanUndo(), couldUndo);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(windows.views.size(), 1u);
    ASSERT_FALSE(windows.views[0]->updates.empty());
    EXPECT_EQ(windows.views[0]->updates.back().hint, HINT_DATA_CHANGED + HINT_RESET_ZOOM);
    EXPECT_EQ(windows.views[0]->updates.back().object, &doc.m_TimeData);

    // The same pages give the same signal, sample for sample.
    std::vector<double> first = Values(t.Inphase());
    ASSERT_TRUE(doc.GenerateSignal());
    EXPECT_EQ(Values(t.Inphase()), first);
}

TEST(SignalGenerator, CwAtAQuarterOfFsAndFmWithoutDeviation) {
    test::CScriptedPlatform p;
    GenDoc doc;
    doc.m_ModParm.m_nModulation = CModParm::CW;
    doc.m_ModParm.m_fCarrierFrequency = 2.0f;
    ASSERT_TRUE(doc.GenerateSignal());
    const CKalvoData& t = doc.m_TimeData;
    const double eI[] = {1, 0, -1, 0};
    const double eQ[] = {0, 1, 0, -1};
    // The float 2pi makes the step 4.4e-8 longer than pi/2: the phase drifts
    // by that much per sample.
    for (int i = 0; i < 256; ++i) {
        ASSERT_NEAR(t.Inphase()[i], eI[i % 4], 5e-8 * (i + 1)) << i;
        ASSERT_NEAR(t.Quadrature()[i], eQ[i % 4], 5e-8 * (i + 1)) << i;
    }
    const std::vector<double> cwI = Values(t.Inphase()), cwQ = Values(t.Quadrature());
    doc.m_ModParm.m_nModulation = CModParm::FM;
    doc.m_ModParm.m_fDeviation = 0.0f;
    ASSERT_TRUE(doc.GenerateSignal());
    EXPECT_EQ(Values(t.Inphase()), cwI);
    EXPECT_EQ(Values(t.Quadrature()), cwQ);
}

TEST(SignalGenerator, NoCarrierWithoutNoiseIsRealZeroData) {
    test::CScriptedPlatform p;
    GenDoc doc;
    for (int32_t m : {CModParm::LSB, CModParm::USB, CModParm::NoCarrier}) {
        doc.m_ModParm.m_nModulation = m;
        ASSERT_TRUE(doc.GenerateSignal());
        EXPECT_EQ(Values(doc.m_TimeData.Inphase()), std::vector<double>(256, 0.0));
        EXPECT_EQ(doc.m_TimeData.m_bReal, 1);
    }
}

TEST(SignalGenerator, NoiseIsReproduciblePerSeed) {
    test::CScriptedPlatform p;
    GenDoc doc;
    doc.m_ModParm.m_nModulation = CModParm::NoCarrier;
    doc.m_Noise.m_nNoiseType = CNoise::Gaussian;
    ASSERT_TRUE(doc.GenerateSignal());
    const std::vector<double> i0 = Values(doc.m_TimeData.Inphase());
    const std::vector<double> q0 = Values(doc.m_TimeData.Quadrature());
    EXPECT_NE(i0, q0) << "the Quadrature noise continues the sequence";
    EXPECT_EQ(doc.m_TimeData.m_bReal, 0);
    ASSERT_TRUE(doc.GenerateSignal());
    EXPECT_EQ(Values(doc.m_TimeData.Inphase()), i0);
    EXPECT_EQ(Values(doc.m_TimeData.Quadrature()), q0);
    doc.m_Noise.m_nSeed = 1;
    ASSERT_TRUE(doc.GenerateSignal());
    EXPECT_NE(Values(doc.m_TimeData.Inphase()), i0);
}

TEST(SignalGenerator, ScalingAndSaturation) {
    test::CScriptedPlatform p;
    GenDoc doc;
    doc.m_ModParm.m_nModulation = CModParm::CW;
    doc.m_ModParm.m_fCarrierFrequency = 1.0f;
    ASSERT_TRUE(doc.GenerateSignal());
    const std::vector<double> unit = Values(doc.m_TimeData.Inphase());
    const std::vector<double> audio = Values(doc.m_Internal.GetColumn(CModDoc::AUDIO_COLUMN));

    // Scale 2 without quantization multiplies every column.
    p.statusTexts.clear();
    doc.m_Samp.m_fScale = 2.0f;
    ASSERT_TRUE(doc.GenerateSignal());
    EXPECT_NE(std::find(p.statusTexts.begin(), p.statusTexts.end(), "Scaling All..."), p.statusTexts.end());
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(doc.m_TimeData.Inphase()[i], 2.0f * unit[i]);
        ASSERT_EQ(doc.m_Internal.GetColumn(CModDoc::AUDIO_COLUMN)[i], 2.0f * audio[i]);
    }

    // Round at scale 1 with saturation 1: values up to 1 are never clipped.
    doc.m_Samp.m_fScale = 1.0f;
    doc.m_Samp.m_nQuantization = CSamp::Round;
    doc.m_Samp.m_fSaturation = 1.0f;
    p.messages.clear();
    ASSERT_TRUE(doc.GenerateSignal());
    EXPECT_TRUE(p.messages.empty());
    for (double v : doc.m_TimeData.Inphase()) ASSERT_TRUE(v == 0.0 || v == 1.0 || v == -1.0) << v;
    for (double v : doc.m_Internal.GetColumn(CModDoc::AUDIO_COLUMN))
        ASSERT_TRUE(v == 0.0 || v == 1.0 || v == -1.0) << "the audio is quantized before modulation: " << v;

    // Saturation 0.5 clips them and says so once.
    doc.m_Samp.m_fSaturation = 0.5f;
    ASSERT_TRUE(doc.GenerateSignal());
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "Data was saturated.");
    EXPECT_EQ(p.messages[0].icon, MsgIcon::Information);
    for (double v : doc.m_TimeData.Inphase()) ASSERT_LE(std::fabs(v), 0.5);
}

TEST(SignalGenerator, IfFiltersDelayTheColumnsAndAFailedInphaseFilterSkipsTheOther) {
    test::CScriptedPlatform p;
    TempFile unit("1\n1.0\n", "unit.fir");
    TempFile half("1 0.5", "half.fir");
    GenDoc doc;
    doc.m_ModParm.m_nModulation = CModParm::CW;
    ASSERT_TRUE(doc.GenerateSignal());
    const std::vector<double> i0 = Values(doc.m_TimeData.Inphase());
    const std::vector<double> q0 = Values(doc.m_TimeData.Quadrature());

    doc.m_IFFilter.m_strInphaseFilter = unit.Path();
    doc.m_IFFilter.m_strQuadratureFilter = half.Path();
    ASSERT_TRUE(doc.GenerateSignal());
    const CKalvoData& t = doc.m_TimeData;
    ASSERT_EQ(t.GetCount(), 256);
    EXPECT_EQ(t.Inphase()[0], 0.0);
    EXPECT_EQ(t.Quadrature()[0], 0.0);
    for (int o = 1; o < 256; ++o) {
        ASSERT_EQ(t.Inphase()[o], i0[o - 1]);
        ASSERT_EQ(t.Quadrature()[o], 0.5 * q0[o - 1]);
    }

    doc.m_IFFilter.m_strInphaseFilter = "/nonexistent/i.fir";
    ASSERT_TRUE(doc.GenerateSignal()) << "generation continues";
    EXPECT_EQ(p.MessageTexts(), (std::vector<std::string>{"Cannot open file \"/nonexistent/i.fir\"."}));
    EXPECT_EQ(Values(t.Inphase()), i0);
    EXPECT_EQ(Values(t.Quadrature()), q0) << "the Quadrature filter is skipped";
}

TEST(SignalGenerator, AudioFromAFile) {
    test::CScriptedPlatform p;
    TempFile file("1\n-1\n0.5\n", "audio.aud");
    GenDoc doc;
    doc.m_Samp.m_nSampleCount = 3;
    doc.m_Audio.m_nAudioSource = CAudio::File;
    doc.m_Audio.m_strAudioFile = file.Path();
    ASSERT_TRUE(doc.GenerateSignal());
    EXPECT_EQ(Values(doc.m_Internal.GetColumn(CModDoc::AUDIO_COLUMN)), (std::vector<double>{1, -1, 0.5}));

    // A short file that the user refuses to pad stops the generation with
    // empty Time Data.
    doc.m_Samp.m_nSampleCount = 5;
    p.statusTexts.clear();
    p.Answer(MsgAnswer::Cancel);
    EXPECT_FALSE(doc.GenerateSignal());
    EXPECT_TRUE(doc.m_TimeData.IsEmpty());
    EXPECT_EQ(doc.m_TimeData.GetColumnCount(), 2);
    EXPECT_EQ(p.statusTexts.back(), "Ready");
    EXPECT_EQ(p.waitCursorDepth, 0);

    doc.m_Audio.m_strAudioFile = "/nonexistent/a.aud";
    EXPECT_FALSE(doc.GenerateSignal());
    EXPECT_EQ(p.messages.back().text, "Cannot open file \"/nonexistent/a.aud\".");
    EXPECT_TRUE(doc.m_TimeData.IsEmpty());
}

TEST(SignalGenerator, ASamplingFrequencyOfZeroIsRefused) {
    test::CScriptedPlatform p;
    GenDoc doc(0.0);
    doc.m_TimeData.Inphase().Append(1.0);
    doc.m_TimeData.Quadrature().Append(0.0);
    EXPECT_FALSE(doc.GenerateSignal());
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(doc.m_TimeData.GetCount(), 1) << "nothing changes";
    EXPECT_FALSE(doc.IsModified());
}

TEST(SignalGenerator, MoreSamplesThanAColumnHoldsAreRefused) {
    test::CScriptedPlatform p;
    GenDoc doc;
    doc.m_Samp.m_nSampleCount = 3000000000u;
    EXPECT_FALSE(doc.GenerateSignal());
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "Insufficient memory available to complete the operation.");
    EXPECT_TRUE(doc.m_TimeData.IsEmpty());
    EXPECT_EQ(p.waitCursorDepth, 0);
}

TEST(SignalGenerator, ModifiedProjectsAskForAGeneration) {
    test::CScriptedPlatform p;
    CModDoc doc;
    doc.SetModified(false);
    EXPECT_TRUE(p.statusTexts.empty());
    doc.SetModified(true);
    EXPECT_EQ(p.statusTexts, (std::vector<std::string>{"You need to Generate."}));
    EXPECT_TRUE(doc.IsModified());
}

TEST(SignalGenerator, TheCommandOpensTheSheetAndGenerates) {
    test::CScriptedPlatform p;
    GenDoc doc;
    using T = CCommandTable;
    ASSERT_TRUE(T::IsAvailable(T::ID_GENERATE_SIGNAL));
    EXPECT_TRUE(T::IsEnabled(doc, T::ID_GENERATE_SIGNAL));
    p.OnPropertySheet([](CPropertySheetModel& sheet) {
        sheet.Page(0).SimulateText(CSamp::IDC_SAMPLE_COUNT, "16");
        sheet.PressOK();
    });
    ASSERT_TRUE(T::Execute(doc, T::ID_GENERATE_SIGNAL));
    EXPECT_EQ(doc.m_TimeData.GetCount(), 16);
    EXPECT_EQ(p.dialogTitles, (std::vector<std::string>{"Signal Generator"}));
}

// ---------------------------------------------------------------------------
// Project file

TEST(SignalGeneratorProject, PagesAreStoredLastInTheirOwnOrder) {
    test::CScriptedPlatform p;
    CModDoc doc;
    const std::vector<uint8_t> defaults = test::Store(doc);
    doc.m_Samp.m_nSampleCount = 70000;
    doc.m_Samp.m_fScale = 2.5f;
    doc.m_Samp.m_fSaturation = 9.0f;
    doc.m_Samp.m_nQuantization = CSamp::Truncate;
    doc.m_ModParm.m_nModulation = CModParm::USB;
    doc.m_ModParm.m_fPercentMod = 11.0f;
    doc.m_ModParm.m_fDeviation = 12.0f;
    doc.m_ModParm.m_fCarrierFrequency = 13.0f;
    doc.m_ModParm.m_fCarrierPhase = 14.0f;
    doc.m_ModParm.m_strHilbertFilter = "not stored";
    doc.m_Audio.m_nAudioWaveform = CAudio::Triangle;
    doc.m_Audio.m_fAudioFrequency = 15.0f;
    doc.m_Audio.m_nAudioSource = CAudio::File;
    doc.m_Audio.m_fAudioPhase = 16.0f;
    doc.m_Audio.m_strAudioFile = " a.aud";
    doc.m_Noise.m_fNoiseLevel = -17.0f;
    doc.m_Noise.m_nNoiseType = CNoise::Uniform;
    doc.m_Noise.m_nSeed = 18;
    doc.m_QuadErr.m_fDcOffsetI = -19.0f;
    doc.m_QuadErr.m_fDcOffsetQ = -20.0f;
    doc.m_QuadErr.m_fQAmplitudeDb = 21.0f;
    doc.m_QuadErr.m_fPhaseError = 22.0f;
    doc.m_QuadErr.m_bDisableDc = 0;
    doc.m_QuadErr.m_bDisableQuad = 0;
    doc.m_IFFilter.m_strInphaseFilter = "i.fir";
    doc.m_IFFilter.m_strQuadratureFilter = "q.fir";
    const std::vector<uint8_t> bytes = test::Store(doc);

    test::Bytes pages;
    pages.u32(70000).f32(2.5f).f32(9.0f).u16(1);
    pages.u16(4).f32(11.0f).f32(12.0f).f32(13.0f).f32(14.0f);
    pages.u16(3).f32(15.0f).u16(1).f32(16.0f).text(" a.aud");
    pages.f32(-17.0f).u16(2);
    pages.f32(-19.0f).f32(-20.0f).f32(21.0f).f32(22.0f);
    pages.text("i.fir").text("q.fir");
    test::Bytes defaultPages;
    test::DefaultPages(defaultPages);
    // Everything before the pages is the ordinary project.
    ASSERT_EQ(bytes.size() - pages.b.size(), defaults.size() - defaultPages.b.size());
    const size_t head = bytes.size() - pages.b.size();
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(head), defaults.begin()));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(head), bytes.end()), pages.b);

    // Reading back into a new project restores the stored members; the
    // others keep their defaults (the IF error switches are on again).
    CModDoc loaded;
    CMemFile file;
    file.Write(bytes.data(), bytes.size());
    file.SeekToBegin();
    CArchive ar(file, CArchive::Mode::Load);
    loaded.Serialize(ar);
    EXPECT_EQ(loaded.m_Samp.m_nSampleCount, 70000u);
    EXPECT_EQ(loaded.m_Samp.m_nQuantization, CSamp::Truncate);
    EXPECT_EQ(loaded.m_ModParm.m_nModulation, CModParm::USB);
    EXPECT_EQ(loaded.m_ModParm.m_fCarrierPhase, 14.0f);
    EXPECT_EQ(loaded.m_ModParm.m_strHilbertFilter, "");
    EXPECT_EQ(loaded.m_Audio.m_strAudioFile, " a.aud");
    EXPECT_EQ(loaded.m_Audio.m_nAudioSource, CAudio::File);
    EXPECT_EQ(loaded.m_Noise.m_nNoiseType, CNoise::Uniform);
    EXPECT_EQ(loaded.m_Noise.m_nSeed, 0u);
    EXPECT_EQ(loaded.m_QuadErr.m_fPhaseError, 22.0f);
    EXPECT_EQ(loaded.m_QuadErr.m_bDisableDc, 1);
    EXPECT_EQ(loaded.m_QuadErr.m_bDisableQuad, 1);
    EXPECT_EQ(loaded.m_IFFilter.m_strQuadratureFilter, "q.fir");
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// ---------------------------------------------------------------------------
// Demodulation writers

std::vector<double> ReadNumbers(const std::string& path) {
    std::vector<double> values;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return values;
    double v;
    while (std::fscanf(f, "%lf", &v) == 1) values.push_back(v);
    std::fclose(f);
    return values;
}

TEST(DemodulationWriters, WriteTheDemodulatedTimeDataThroughTheWriteColumnDialog) {
    test::CScriptedPlatform p;
    CModDoc doc;
    using T = CCommandTable;
    EXPECT_FALSE(T::IsEnabled(doc, T::ID_WRITE_AM)) << "no Time Data";
    EXPECT_FALSE(T::IsEnabled(doc, T::ID_WRITE_FM));
    // Time Data of three points at angles 0, pi/2, pi with magnitudes 3, 2, 1.
    const double I[] = {3, 0, -1}, Q[] = {0, 2, 0};
    for (int i = 0; i < 3; ++i) {
        doc.m_TimeData.Inphase().Append(I[i]);
        doc.m_TimeData.Quadrature().Append(Q[i]);
    }
    doc.m_TimeData.EqualizeColumns(0.0);
    ASSERT_TRUE(T::IsEnabled(doc, T::ID_WRITE_AM));

    const std::string path =
        (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + "_demod.txt")).string();
    std::string title;
    p.OnDialog<CWriteCol>([&](CWriteCol& d) {
        title = d.m_strTitle;
        d.SimulateText(CWriteCol::IDC_NAME, path);
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(T::Execute(doc, T::ID_WRITE_AM));
    EXPECT_EQ(title, "Write AM Data");
    std::vector<double> am = ReadNumbers(path);
    ASSERT_EQ(am.size(), 3u);
    EXPECT_NEAR(am[0], 3.0, 1e-12);
    EXPECT_NEAR(am[1], 2.0, 1e-12);
    EXPECT_NEAR(am[2], 1.0, 1e-12);

    // The dialog opens again with the last name; FM writes the phase steps.
    p.OnDialog<CWriteCol>([&](CWriteCol& d) {
        title = d.m_strTitle;
        EXPECT_EQ(d.GetDlgItemText(CWriteCol::IDC_NAME), path);
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(T::Execute(doc, T::ID_WRITE_FM));
    EXPECT_EQ(title, "Write FM Data");
    std::vector<double> fm = ReadNumbers(path);
    ASSERT_EQ(fm.size(), 3u);
    EXPECT_NEAR(fm[0], 0.0, 1e-12);
    EXPECT_NEAR(fm[1], 0.5, 1e-7);
    EXPECT_NEAR(fm[2], 0.5, 1e-7);

    // Cancel writes nothing.
    std::remove(path.c_str());
    p.CancelDialog();
    EXPECT_FALSE(doc.WriteAmData());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(doc.m_TimeData.GetCount(), 3) << "the Time Data is not touched";
    EXPECT_EQ(p.unscriptedDialogs, 0);
}

}  // namespace
}  // namespace kv

// Projects that carry values which are not finite, or are at the ends of
// the doubles, where the program expects ordinary numbers: in the data, the
// sampling frequencies, the window parameters, the mixer and scale settings
// and the decibel settings. Each project is saved by the program, opened as
// the desktop program opens it, shown in every plot, measured, and (the last
// byte's top bit set) run through every command with its stored settings.
// Under the sanitizer build a conversion of such a value to an integer, or a
// read outside the data, stops the test with the sanitizer's report; a loop
// bounded by such a value runs into the test's time limit.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "app/CModDoc.h"
#include "platform/CArchive.h"
#include "platform/CMemFile.h"

namespace kv::fuzz {
namespace {

using Limits = std::numeric_limits<double>;

struct CHostileField {
    const char* name;
    std::function<void(CModDoc&, double)> set;
};

// A short complex tone and its spectrum-like Frequency Data.
void FillData(CModDoc& doc) {
    doc.m_TimeData.Reset();
    doc.m_FreqData.Reset();
    for (int i = 0; i < 64; ++i) {
        doc.m_TimeData.Inphase().Append(std::cos(0.3 * i));
        doc.m_TimeData.Quadrature().Append(std::sin(0.3 * i));
        doc.m_FreqData.Inphase().Append(i == 5 ? 30.0 : 0.01 * (i % 7));
        doc.m_FreqData.Quadrature().Append(i == 5 ? -4.0 : 0.02 * (i % 3));
    }
    doc.m_TimeData.EqualizeColumns(0.0);
    doc.m_FreqData.EqualizeColumns(0.0);
}

std::vector<uint8_t> Saved(CModDoc& doc) {
    CMemFile file(4096);
    CArchive ar(file, CArchive::Mode::Store);
    doc.Serialize(ar);
    ar.Close();
    return std::vector<uint8_t>(file.Data(), file.Data() + file.GetLength());
}

const std::vector<CHostileField>& Fields() {
    static const std::vector<CHostileField> fields = {
        {"time data",
         [](CModDoc& d, double v) {
             d.m_TimeData.Inphase().SetAt(0, v);
             d.m_TimeData.Quadrature().SetAt(3, v);
         }},
        {"all time data", [](CModDoc& d, double v) {
             for (int i = 0; i < d.m_TimeData.GetCount(); ++i) d.m_TimeData.Inphase().SetAt(i, v);
         }},
        {"frequency data",
         [](CModDoc& d, double v) {
             d.m_FreqData.Inphase().SetAt(0, v);
             d.m_FreqData.Quadrature().SetAt(5, v);
         }},
        {"time sampling frequency", [](CModDoc& d, double v) { d.m_TimeData.m_Fs.m_dValue = v; }},
        {"frequency sampling frequency", [](CModDoc& d, double v) { d.m_FreqData.m_Fs.m_dValue = v; }},
        {"window parameters",
         [](CModDoc& d, double v) {
             d.m_WndDlg.m_fAlpha = static_cast<float>(v);
             d.m_WndDlg.m_fGamma = static_cast<float>(v);
         }},
        {"mixer",
         [](CModDoc& d, double v) {
             d.m_MixDlg.m_fMixFrequency = static_cast<float>(v);
             d.m_MixDlg.m_fDivisor = static_cast<float>(v);
             d.m_MixDlg.m_fMultiplier = static_cast<float>(v);
             d.m_MixDlg.m_fDegrees = static_cast<float>(v);
             d.m_MixDlg.m_dMixFs = v;
         }},
        {"scale", [](CModDoc& d, double v) { d.m_ScaleDlg.m_dScale = v; }},
        {"decibels",
         [](CModDoc& d, double v) {
             d.m_FreqData.m_fMinDb = static_cast<float>(v);
             d.m_TimeData.m_fMinDb = static_cast<float>(v);
         }},
    };
    return fields;
}

// The project, saved, with a last byte appended that asks for the commands
// (top bit set) or not.
std::vector<uint8_t> WithLastByte(std::vector<uint8_t> bytes, uint8_t last) {
    bytes.push_back(last);
    return bytes;
}

TEST(NonFiniteProjects, OrdinaryProjectWithTheHarnessByteOpens) {
    CModDoc doc;
    FillData(doc);
    for (uint8_t last : {uint8_t{0x05}, uint8_t{0x80}}) {
        const std::vector<uint8_t> input = WithLastByte(Saved(doc), last);
        CFuzzOutcome outcome;
        FuzzProject(input.data(), input.size(), outcome);
        EXPECT_TRUE(outcome.shown);
    }
}

TEST(NonFiniteProjects, OpenShowAndRunEveryCommand) {
    const double values[] = {Limits::quiet_NaN(), Limits::infinity(), -Limits::infinity(), Limits::max(),
                             -Limits::max(),      Limits::denorm_min(), -Limits::denorm_min(), 0.0};
    for (const CHostileField& field : Fields()) {
        for (double value : values) {
            SCOPED_TRACE(std::string(field.name) + " = " + std::to_string(value));
            std::vector<uint8_t> bytes;
            {
                CModDoc doc;
                FillData(doc);
                field.set(doc, value);
                bytes = Saved(doc);
            }
            ASSERT_FALSE(bytes.empty());
            // The harness takes the last byte's top bit as the user running
            // every command on the project; the reader ignores what follows
            // the project.
            for (uint8_t last : {uint8_t{0x05}, uint8_t{0x80}, uint8_t{0xAB}}) {
                const std::vector<uint8_t> input = WithLastByte(bytes, last);
                CFuzzOutcome outcome;
                FuzzProject(input.data(), input.size(), outcome);
                EXPECT_TRUE(outcome.shown || !outcome.messages.empty());
            }
        }
    }
}

}  // namespace
}  // namespace kv::fuzz

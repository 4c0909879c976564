#include <gtest/gtest.h>

#include "data/CAsmOpts.h"
#include "data/COptionsC.h"
#include "formats/CodeFormats.h"
#include "formats/FormatsTestSupport.h"
#include "formats/SignalFiles.h"
#include "support/CScriptedPlatform.h"

using namespace kv;
using kv::test::CScriptedPlatform;
using kv::test::CTempDir;
using kv::test::CrLfLines;
using kv::test::MakeData;
using kv::test::ReadBytes;

namespace {

std::string WriteCode(const CTempDir& dir, CDataSetIO& data, CDataFormat& format, bool two, int step = 1) {
    EXPECT_TRUE(WriteSignalFile(data, format, dir / "code.txt", 0, two ? 1 : kNoColumn, step));
    return ReadBytes(dir / "code.txt");
}

}  // namespace

TEST(CArrays, WorkedExample) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO data = MakeData({0.5, -0.25});
    CDataFormat format(FMT_TEXT_C);
    format.m_OptionsC.m_strName = "fir";
    EXPECT_EQ(WriteCode(dir, data, format, false),
              "#define FIR_LENGTH 2\r\n\r\nfloat fir[FIR_LENGTH] = {\r\n    0.500000000000f,\r\n"
              "   -0.250000000000f\r\n};\r\n\r\n");
}

TEST(CArrays, ComplexDataGivesTwoArraysAndNamesKeepTheirCase) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO data = MakeData({1.0, 2.0}, {3.0, 4.0});
    CDataFormat format(FMT_TEXT_C);
    format.m_OptionsC.m_strName = "MyFir";
    format.m_OptionsC.m_strType = "double";
    format.m_OptionsC.m_strSuffix = "";
    // Values beyond -1 to 1 ask nothing; the step plays no part.
    std::vector<std::string> lines = CrLfLines(WriteCode(dir, data, format, true, 2));
    std::vector<std::string> expected = {"#define MYFIR_LENGTH 2",
                                         "",
                                         "double MyFir_I[MYFIR_LENGTH] = {",
                                         "    1.000000000000,",
                                         "    2.000000000000",
                                         "};",
                                         "",
                                         "",
                                         "double MyFir_Q[MYFIR_LENGTH] = {",
                                         "    3.000000000000,",
                                         "    4.000000000000",
                                         "};",
                                         ""};
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(TiAsm, WorkedDataLine) {
    CAsmOpts options;
    std::string line = TiAsmDataLine(options, 0.5, -0.25, 1.0);
    EXPECT_EQ(line, "   .int  16384      ; = 04000h    0.500000           " + std::string(9, ' ') + "*" +
                        std::string(8, ' ') + "|" + std::string(5, ' '));
    EXPECT_EQ(line.size(), 77u);
}

TEST(TiAsm, SaturationHexAndFloatLines) {
    CAsmOpts options;
    options.m_bShowGraph = 0;
    options.m_bShowFloat = 0;
    EXPECT_EQ(TiAsmDataLine(options, 1.0, -1, 1), "   .int  32767      ; = 07FFFh");
    EXPECT_EQ(TiAsmDataLine(options, -1.0, -1, 1), "   .int -32768      ; = 08000h");
    EXPECT_EQ(TiAsmDataLine(options, -0.25, -1, 1), "   .int  -8192      ; = 0E000h");
    options.m_nDataFormat = 1;
    EXPECT_EQ(TiAsmDataLine(options, 0.5, -1, 1), "   .hex 04000h      ; =  16384");
    options.m_bShowOther = 0;
    options.m_bShowFloat = 1;
    EXPECT_EQ(TiAsmDataLine(options, 0.5, -1, 1), "   .hex 04000h      ;     0.500000");
    options.m_nDataFormat = 2;  // Float ignores the other comments
    EXPECT_EQ(TiAsmDataLine(options, 0.5, -1, 1), "   .float    0.500000000");
    options.m_bShowGraph = 1;
    std::string graphed = TiAsmDataLine(options, 0.5, 0.5, 0.5);  // constant data: no graph
    EXPECT_EQ(graphed, "   .float    0.500000000      ; " + std::string(11, ' '));
    // Values whose graph position cannot be placed leave the graph blank.
    std::string odd = TiAsmDataLine(options, 2.0, -1.0, 1.0);
    EXPECT_EQ(odd.find('*'), std::string::npos);
}

TEST(TiAsm, FileLayout) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO data = MakeData({0.5, -0.25}, {1.0, 0.0});
    CDataFormat format(FMT_ASM_TI);
    format.m_AsmOpts.m_strName = "FIR";
    format.m_AsmOpts.m_bShowGraph = 0;
    format.m_AsmOpts.m_bShowOther = 0;
    format.m_AsmOpts.m_bShowFloat = 0;
    format.m_AsmOpts.m_bShowRatio = 1;
    format.m_AsmOpts.m_strRatio = "4";
    format.m_AsmOpts.m_strFinalText = "   .end";
    std::vector<std::string> lines = CrLfLines(WriteCode(dir, data, format, true));
    std::vector<std::string> expected = {"   .text",       "",           "FIR_LENGTH   .equ   2",
                                         "FIR_RATIO    .equ   4",      "",           "FIR_COEFFS_I:",
                                         "   .int  16384", "   .int  -8192", "",       "FIR_COEFFS_Q:",
                                         "   .int  32767", "   .int      0", "   .end"};
    EXPECT_EQ(lines, expected);

    format.m_AsmOpts.m_strName.clear();
    format.m_AsmOpts.m_strRatio.clear();
    format.m_AsmOpts.m_strInitialText.clear();
    format.m_AsmOpts.m_strFinalText.clear();
    lines = CrLfLines(WriteCode(dir, data, format, false));
    expected = {"", "", "_COEFFS:", "   .int  16384", "   .int  -8192", ""};
    EXPECT_EQ(lines, expected);
}

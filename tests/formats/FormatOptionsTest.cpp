#include <gtest/gtest.h>

#include <cmath>

#include "formats/FormatCatalogue.h"
#include "support/CScriptedPlatform.h"

using namespace kv;
using kv::test::CScriptedPlatform;

TEST(Catalogue, NamesByDirectionWithThePreselectedFormat) {
    int selected = 0;
    CDataFormat wave(FMT_WAVE_16);
    std::vector<std::string> read = FormatNames(FormatDirection::Read, wave, selected);
    EXPECT_EQ(read, (std::vector<std::string>{"Text:Decimal", "Text:Plot", "Text:FIR", "Text:Fract", "Text:Hex",
                                              "Text:Binary", "Text:Analyzer", "Asm:ADI PM", "Binary:float",
                                              "Binary:double", "Binary:Wave", "Binary:int8", "Binary:uint8",
                                              "Binary:int16", "Binary:int32", "Binary:npy", "Binary:SigMF",
                                              "Text:CSV"}));
    EXPECT_EQ(selected, 10);
    CDataFormat c(FMT_TEXT_C);
    std::vector<std::string> write = FormatNames(FormatDirection::Write, c, selected);
    EXPECT_EQ(write, (std::vector<std::string>{"Text:Decimal", "Text:Plot", "Text:FIR", "Text:Fract", "Text:Hex",
                                               "Text:Binary", "Text:C", "Asm:TI Asm", "Asm:ADI PM", "Binary:float",
                                               "Binary:double", "Binary:Wave", "Binary:int8", "Binary:uint8",
                                               "Binary:int16", "Binary:int32", "Binary:npy", "Binary:SigMF",
                                               "Text:CSV"}));
    EXPECT_EQ(selected, 6);
    FormatNames(FormatDirection::Read, c, selected);
    EXPECT_EQ(selected, -1);
    CDataFormat none(65535);  // a "no format" id as it comes back from a project file
    FormatNames(FormatDirection::Write, none, selected);
    EXPECT_EQ(selected, -1);
}

TEST(Catalogue, SelectByExactName) {
    CDataFormat f(FMT_WAVE_16);
    SelectFormatByName(f, "Text:Hex");
    EXPECT_EQ(f.m_nFormat, FMT_TEXT_HEX);
    SelectFormatByName(f, "text:decimal");
    EXPECT_EQ(f.m_nFormat, FMT_TEXT_HEX);
    SelectFormatByName(f, "Binary:Wave");
    EXPECT_EQ(f.m_nFormat, FMT_BINARY_WAVE);
}

TEST(Catalogue, FullScaleWordLengthChannelsAndOptions) {
    CDataFormat f(FMT_TEXT_FRACT);
    for (auto [bits, scale] : {std::pair{8, 127.0}, {16, 32767.0}, {24, 8388607.0}, {32, 2147483647.0},
                               {52, std::ldexp(1.0, 51) - 1024.0}, {64, std::ldexp(1.0, 63) - 1024.0},
                               {1, 1.0}, {0, 1.0}, {99, std::ldexp(1.0, 63) - 1024.0}}) {
        f.m_FixedPoint.m_nBits = bits;
        EXPECT_EQ(FullScale(f), scale) << bits;
    }
    EXPECT_LT(FullScale(f), std::ldexp(1.0, 63));
    EXPECT_EQ(FullScale(CDataFormat(FMT_ASM_ADI_PM)), 32767.0);
    EXPECT_EQ(FullScale(CDataFormat(FMT_WAVE_16)), 32767.0);
    EXPECT_EQ(FullScale(CDataFormat(FMT_WAVE_8)), 1.0);
    EXPECT_EQ(FullScale(CDataFormat(FMT_BINARY_DOUBLE)), 1.0);
    EXPECT_EQ(WordLength(CDataFormat(FMT_TEXT_DECIMAL)), 0);
    CDataFormat w(FMT_WAVE_16);
    w.m_WavFmt.m_header.m_nChannels = 4;
    EXPECT_EQ(ChannelCount(w), 4);
    EXPECT_EQ(ChannelCount(CDataFormat(FMT_BINARY_FLOAT)), 2);
    for (int32_t id : {1, 3, 4, 5, 7, 10, 11, 100, 101}) EXPECT_TRUE(HasOptions(CDataFormat(id))) << id;
    for (int32_t id : {0, 2, 6, 8, 9, 12, -1}) EXPECT_FALSE(HasOptions(CDataFormat(id))) << id;
}

TEST(FormatOptions, FormatWithoutOptions) {
    CScriptedPlatform platform;
    CDataFormat f(FMT_TEXT_DECIMAL);
    EXPECT_FALSE(EditOptions(f));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "This file format does not\nhave any options.");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
}

TEST(FormatOptions, FixedPointWordLength) {
    CScriptedPlatform platform;
    CDataFormat f(FMT_TEXT_HEX);
    f.m_FixedPoint.m_strTitle = "something else";
    platform.OnDialog<CFixedPointOpts>([&](CFixedPointOpts& d) {
        EXPECT_EQ(d.m_strTitle, "Fixed-Point Options");
        EXPECT_EQ(d.GetDlgItemText(CFixedPointOpts::IDC_BITS), "16");
        d.SimulateText(CFixedPointOpts::IDC_BITS, "twelve");
        d.SimulateClick(IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.SimulateText(CFixedPointOpts::IDC_BITS, "65");
        d.SimulateClick(IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.SimulateText(CFixedPointOpts::IDC_BITS, "0");
        d.SimulateClick(IDOK);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(d.m_nBits, 16);  // refused values are not kept
        d.SimulateText(CFixedPointOpts::IDC_BITS, "24");
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(EditOptions(f));
    EXPECT_EQ(f.m_FixedPoint.m_nBits, 24);
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"Enter an integer.", "Enter an integer between 1 and 64.",
                                        "Enter an integer between 1 and 64."}));
    platform.OnDialog([](CDialogModel& d) {
        d.SimulateText(CFixedPointOpts::IDC_BITS, "8");
        d.SimulateClick(IDCANCEL);
    });
    EXPECT_FALSE(EditOptions(f));
    EXPECT_EQ(f.m_FixedPoint.m_nBits, 24);
}

TEST(FormatOptions, WaveChoices) {
    CScriptedPlatform platform;
    CDataFormat f(FMT_WAVE_8);
    platform.OnDialog<CWavFmt>([](CWavFmt& d) {
        EXPECT_EQ(d.m_strTitle, "Wave File Format");
        EXPECT_EQ(d.IsDlgButtonChecked(CWavFmt::IDC_SIZE_8), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(CWavFmt::IDC_RATE_11K), 1);
        d.SimulateClick(CWavFmt::IDC_SIZE_16);
        d.SimulateClick(CWavFmt::IDC_RATE_44K);
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(EditOptions(f));
    EXPECT_EQ(f.m_WavFmt.m_nSizeChoice, 1);
    EXPECT_EQ(f.m_WavFmt.m_nRateChoice, 2);
}

TEST(FormatOptions, COutputTexts) {
    CScriptedPlatform platform;
    CDataFormat f(FMT_TEXT_C);
    platform.OnDialog<COptionsC>([](COptionsC& d) {
        EXPECT_EQ(d.m_strTitle, "C Output Options");
        EXPECT_EQ(d.GetDlgItemText(COptionsC::IDC_TYPE), "float");
        d.SimulateText(COptionsC::IDC_NAME, "taps");
        d.SimulateText(COptionsC::IDC_TYPE, "const double");
        d.SimulateText(COptionsC::IDC_SUFFIX, "");
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(EditOptions(f));
    EXPECT_EQ(f.m_OptionsC.m_strName, "taps");
    EXPECT_EQ(f.m_OptionsC.m_strType, "const double");
    EXPECT_EQ(f.m_OptionsC.m_strSuffix, "");
}

TEST(FormatOptions, TiAssemblyNameAndEnabling) {
    CScriptedPlatform platform;
    CDataFormat f(FMT_ASM_TI);
    platform.OnDialog<CAsmOpts>([](CAsmOpts& d) {
        EXPECT_EQ(d.m_strTitle, "TI Fixed-Point Assembly Code Options");
        EXPECT_TRUE(d.Control(CAsmOpts::IDC_SHOW_OTHER).m_bEnabled);
        d.SimulateClick(CAsmOpts::IDC_FLOAT);
        EXPECT_FALSE(d.Control(CAsmOpts::IDC_SHOW_OTHER).m_bEnabled);
        EXPECT_FALSE(d.Control(CAsmOpts::IDC_SHOW_FLOAT).m_bEnabled);
        d.SimulateClick(CAsmOpts::IDC_HEX_INT);
        EXPECT_TRUE(d.Control(CAsmOpts::IDC_SHOW_FLOAT).m_bEnabled);
        d.SimulateText(CAsmOpts::IDC_NAME, "   ");
        d.SimulateClick(IDOK);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(d.GetDlgItemText(CAsmOpts::IDC_NAME), "FIR");
        d.SimulateText(CAsmOpts::IDC_NAME, "  lowpass");
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(EditOptions(f));
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"The Base Name, Equate Command, and Data Command fields cannot be empty.\n"}));
    EXPECT_EQ(f.m_AsmOpts.m_strName, "lowpass");
    EXPECT_EQ(f.m_AsmOpts.m_nDataFormat, 1);
    // A format of Float disables the comment options when the dialog opens.
    platform.OnDialog<CAsmOpts>([](CAsmOpts& d) {
        d.SimulateClick(CAsmOpts::IDC_FLOAT);
        d.SimulateClick(IDOK);
    });
    EditOptions(f);
    platform.OnDialog<CAsmOpts>([](CAsmOpts& d) {
        EXPECT_FALSE(d.Control(CAsmOpts::IDC_SHOW_OTHER).m_bEnabled);
        d.SimulateClick(IDCANCEL);
    });
    EditOptions(f);
    EXPECT_EQ(platform.unfinishedDialogs, 0);
}

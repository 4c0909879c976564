#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "plot/GraphFixture.h"
#include "plot/PlotCommands.h"
#include "plot/PlotExport.h"

namespace kv {
namespace {

using test::CGraphFixture;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("kalvora_plot_" + std::to_string(::getpid()) + "_" + name))
        .string();
}

TEST(PlotExport, CopyDataColumnsPerTrace) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 4, 1.0, [](int i) { return i * 0.5; }, [](int i) { return -i * 0.25; });
    f.graph.Attach(f.data, 3, 0);
    f.Paint();
    f.graph.OnCommand(ID_PLOT_COPY_DATA);
    EXPECT_EQ(f.platform.clipboardText,
              " 0.000000000\t 0.000000000\t 0.000000000\r\n"
              " 1.000000000\t 0.500000000\t-0.250000000\r\n"
              " 2.000000000\t 1.000000000\t-0.500000000\r\n"
              " 3.000000000\t 1.500000000\t-0.750000000\r\n");
    f.graph.SetType(PLOT_INPHASE);
    f.Paint();
    f.graph.OnCommand(ID_PLOT_COPY_DATA);
    EXPECT_EQ(f.platform.clipboardText.substr(0, 26), " 0.000000000\t 0.000000000\r");
    EXPECT_EQ(std::count(f.platform.clipboardText.begin(), f.platform.clipboardText.end(), '\t'), 4);
}

TEST(PlotExport, LogAxesLeaveOutPointsTheyCannotShow) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 6, 1.0, [](int i) { return i - 2.0; });
    f.graph.Attach(f.data, 1, 0);
    f.Paint();
    f.graph.m_bYLog = 1;
    std::string text = FormatPlotData(f.graph);
    EXPECT_EQ(text, " 3.000000000\t 1.000000000\r\n 4.000000000\t 2.000000000\r\n 5.000000000\t 3.000000000\r\n");
    f.graph.m_bYLog = 0;
    f.graph.m_bXLog = 1;
    std::string noX0 = FormatPlotData(f.graph);
    EXPECT_EQ(std::count(noX0.begin(), noX0.end(), '\n'), 5);  // x = 0 left out
}

TEST(PlotExport, WriteDataWithAndWithoutTitles) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 3, 1.0, [](int i) { return i * 0.5; });
    f.data.m_strName = "Signal";
    f.graph.Attach(f.data, 1, 0);
    f.Paint();
    std::string path = TempPath("a.plt");
    f.platform.AnswerSaveFile(path);
    f.platform.AnswerYes();
    f.graph.OnCommand(ID_PLOT_WRITE_DATA);
    ASSERT_EQ(f.platform.fileRequests.size(), 1u);
    EXPECT_TRUE(f.platform.fileRequests[0].save);
    EXPECT_EQ(f.platform.fileRequests[0].filter, "All Files (*.*)|*.*|PlotFiles (*.plt)|*.plt||");
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.platform.messages[0].text, "Write titles to file?");
    EXPECT_EQ(ReadFile(path), "Signal\r\nInphase Amplitude\r\nTime in sec\r\n0   0\r\n1   0.5\r\n2   1\r\n");

    // The name chosen is offered next time; No writes the points alone.
    f.platform.AnswerSaveFile(path);
    f.platform.AnswerNo();
    f.graph.OnCommand(ID_PLOT_WRITE_DATA);
    EXPECT_EQ(f.platform.fileRequests[1].initialPath, path);
    EXPECT_EQ(ReadFile(path), "0   0\r\n1   0.5\r\n2   1\r\n");

    // Without a Y title no question is asked.
    f.graph.m_bAutoTitles = 0;
    f.data.m_Format.m_Titles.m_strY.clear();
    f.Paint();
    size_t asked = f.platform.messages.size();
    f.platform.AnswerSaveFile(path);
    f.graph.OnCommand(ID_PLOT_WRITE_DATA);
    EXPECT_EQ(f.platform.messages.size(), asked);
    EXPECT_EQ(ReadFile(path), "0   0\r\n1   0.5\r\n2   1\r\n");
    std::remove(path.c_str());

    // Cancel writes nothing.
    f.graph.OnCommand(ID_PLOT_WRITE_DATA);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(PlotExport, UnwritableFilesAreReported) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 3, 1.0, [](int i) { return i; });
    f.graph.Attach(f.data, 1, 0);
    f.Paint();
    std::string path = TempPath("missing_dir") + "/x.plt";
    f.platform.AnswerSaveFile(path);
    f.graph.OnCommand(ID_PLOT_WRITE_DATA);
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.platform.messages[0].text, "Cannot open file \"" + path + "\".");
    EXPECT_EQ(f.platform.messages[0].icon, MsgIcon::Error);

    if (std::filesystem::exists("/dev/full")) {
        f.platform.AnswerSaveFile(std::string("/dev/full"));
        f.platform.AnswerNo();
        f.graph.OnCommand(ID_PLOT_WRITE_DATA);
        EXPECT_EQ(f.platform.messages.back().text, "Cannot write file \"/dev/full\".");
    }
}

TEST(PlotExport, CopyImagePaintsTheWindowAndRefreshes) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 50, 1.0, [](int i) { return i; });
    f.graph.Attach(f.data, 1, 0);
    auto& screen = f.Paint();
    f.graph.OnCommand(ID_PLOT_COPY_IMAGE);
    EXPECT_FALSE(f.platform.clipboardPng.empty());
    // The picture has the window's layout: the same texts at the same places.
    std::vector<test::CDrawCall> pictureTexts;
    for (const auto& c : f.window.pictureCalls)
        if (c.kind == test::CDrawCall::TextOut) pictureTexts.push_back(c);
    auto screenTexts = screen.Texts();
    ASSERT_EQ(pictureTexts.size(), screenTexts.size());
    for (size_t i = 0; i < pictureTexts.size(); ++i) {
        EXPECT_EQ(pictureTexts[i].text, screenTexts[i].text);
        EXPECT_EQ(pictureTexts[i].x1, screenTexts[i].x1);
        EXPECT_EQ(pictureTexts[i].y1, screenTexts[i].y1);
    }
    EXPECT_EQ(f.graph.m_XColumn.GetSize(), 0);  // refreshed
}

}  // namespace
}  // namespace kv

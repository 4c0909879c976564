#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "AnalysisTestData.h"
#include "analysis/CFStatDlg.h"
#include "analysis/CFreqStats.h"
#include "analysis/CStatView.h"
#include "app/AnalysisCommands.h"
#include "app/CKalvoraDoc.h"
#include "platform/CMemFile.h"
#include "support/CRecordingView.h"
#include "support/CScriptedPlatform.h"
#include "support/CScriptedWindows.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

std::string ListText(CFreqStats& stats) {
    CMemFile buffer(1024);
    if (!stats.WriteFrequencyList(buffer)) return "<none>";
    return std::string(reinterpret_cast<const char*>(buffer.Data()), static_cast<size_t>(buffer.GetLength()));
}

// 16 real bins at 16 Hz (1 Hz apart): fundamental in bin 2 (power 100), its
// second harmonic in bin 4 (power 1), noise in bin 5 (power 0.01).
void FillSmallSpectrum(CKalvoData& data) {
    std::vector<double> re(16, 0.0);
    re[2] = 10.0;
    re[4] = 1.0;
    re[5] = 0.1;
    test::FillSpectrum(data, re, {}, true, 16.0);
}

const char* const kSmallList =
    " Fundamental = 2.000000 Hz\r\n"
    " SFDR        = 20.000000 dB\r\n"
    " SINAD       = 19.956786 dB\r\n"
    " SNR         = 40.043214 dB\r\n"
    "\r\n"
    " Frequency    Bin    Harm   Bin Power  dB Below Peak  Total Smaller Power\r\n"
    " ---------  -------  ----  ----------  -------------  -------------------\r\n"
    "     2.000        2    1     20.00 dB      0.00 dB           0.04 dB\r\n"
    "     4.000        4    2      0.00 dB     20.00 dB         -20.00 dB\r\n"
    "     5.000        5    0    -20.00 dB     40.00 dB        -300.00 dB\r\n";

class FrequencyList : public ::testing::Test {
protected:
    test::CScriptedPlatform platform;
    CKalvoData data;
    std::string listFile;
    CFreqStats stats{data, listFile, 3};
};

TEST_F(FrequencyList, ListLinesHaveTheirExactLayout) {
    FillSmallSpectrum(data);
    EXPECT_EQ(ListText(stats), kSmallList);
    // The writer empties the ranked list afterwards.
    EXPECT_EQ(stats.RankedList().GetCount(), 0);
    EXPECT_EQ(stats.RankedList().GetCapacity(), 0);
    // Writing again gives the same list.
    EXPECT_EQ(ListText(stats), kSmallList);
}

TEST_F(FrequencyList, NegativeFrequenciesShowWithTheirStoredBinAndTheOffsetShiftsAllPowers) {
    std::vector<double> re(8, 0.0);
    re[6] = 10.0;  // bin -2 of a two-sided range
    re[1] = 1.0;
    test::FillSpectrum(data, re, {}, false, 8.0);
    data.m_dDbOffset = -20.0;
    data.m_Fs.SetUnit(1);
    const std::string text = ListText(stats);
    std::istringstream lines(text);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) all.push_back(line);
    ASSERT_GE(all.size(), 9u);
    EXPECT_EQ(all[0], " Fundamental = -2.000000 kHz\r");
    EXPECT_EQ(all[7], "    -2.000        6    1      0.00 dB      0.00 dB         -20.00 dB\r");
    EXPECT_EQ(all[8], "     1.000        1    0    -20.00 dB     20.00 dB        -320.00 dB\r");
}

TEST_F(FrequencyList, EmptyFrequencyDataWritesNothing) {
    data.m_bTime = 0;
    data.Reset();
    CMemFile buffer(1024);
    EXPECT_FALSE(stats.WriteFrequencyList(buffer));
    EXPECT_EQ(buffer.GetLength(), 0u);
    CFreqStats unbound;
    EXPECT_FALSE(unbound.WriteFrequencyList(buffer));
}

TEST_F(FrequencyList, StatisticsDialogShowsItsNineTexts) {
    FillSmallSpectrum(data);
    data.m_dDbOffset = -20.0;
    data.m_strDbLabel = "dBc";
    std::map<int, std::pair<std::string, std::string>> shown;
    platform.OnDialog<CFStatDlg>([&](CFStatDlg& d) {
        for (const CControl& c : d.Controls()) shown[c.m_nId] = {c.m_strLabel, c.m_strCaption};
        EXPECT_EQ(d.Groups(), (std::vector<std::string>{"Powers", "Ratios"}));
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(ShowFrequencyStatistics(stats));
    ASSERT_EQ(platform.dialogTitles, std::vector<std::string>{"Frequency Data Statistics"});
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(shown[CFStatDlg::IDC_FUNDAMENTAL_FREQUENCY], P("", "Fundamental Frequency: 2.000000"));
    EXPECT_EQ(shown[CFStatDlg::IDC_FUNDAMENTAL], P("Fundamental:", "   0.00 dBc"));
    EXPECT_EQ(shown[CFStatDlg::IDC_DC], P("DC:", "-320.00 dBc"));
    EXPECT_EQ(shown[CFStatDlg::IDC_DISTORTION], P("Distortion:", " -20.00 dBc"));
    EXPECT_EQ(shown[CFStatDlg::IDC_NOISE], P("Noise:", " -40.00 dBc"));
    EXPECT_EQ(shown[CFStatDlg::IDC_TOTAL], P("Total:", "   0.04 dBc"));
    EXPECT_EQ(shown[CFStatDlg::IDC_SFDR], P("SFDR:", "  20.00 dB"));
    EXPECT_EQ(shown[CFStatDlg::IDC_SINAD], P("SINAD:", "  19.96 dB"));
    EXPECT_EQ(shown[CFStatDlg::IDC_SNR], P("SNR:", "  40.04 dB"));
    EXPECT_EQ(platform.statusTexts.front(), "Gathering Frequency Statistics...");
    EXPECT_EQ(platform.waitCursorDepth, 0);

    // Empty Frequency Data: nothing to show.
    data.Reset();
    EXPECT_FALSE(ShowFrequencyStatistics(stats));
    EXPECT_EQ(platform.dialogTitles.size(), 1u);
}

// ---- the list view ----------------------------------------------------------

class CountingStatView : public CStatView {
public:
    int textChanges = 0;
    int fontChanges = 0;

protected:
    void OnTextChanged() override { ++textChanges; }
    void OnFontChanged() override { ++fontChanges; }
};

TEST_F(FrequencyList, ViewAttachesOnTheListHintAndRebuildsOnEveryLaterUpdate) {
    FillSmallSpectrum(data);
    CountingStatView view;
    view.OnInitialUpdate();
    view.OnUpdate(nullptr, HINT_PLOT_OPENED, &data);  // a plot hint: not for this view
    view.OnUpdate(nullptr, HINT_LIST_CHANGED, nullptr);
    EXPECT_EQ(view.GetFreqStats(), nullptr);
    EXPECT_FALSE(view.UsesFixedFont());
    EXPECT_EQ(view.textChanges, 0);

    view.OnUpdate(nullptr, HINT_LIST_CHANGED, &stats);
    EXPECT_EQ(view.GetFreqStats(), &stats);
    EXPECT_TRUE(view.UsesFixedFont());
    EXPECT_EQ(view.fontChanges, 1);
    EXPECT_EQ(view.GetText(), kSmallList);
    EXPECT_EQ(view.GetDisplayText().find('\r'), std::string::npos);
    EXPECT_EQ(view.GetDisplayText().substr(0, 27), " Fundamental = 2.000000 Hz\n");
    EXPECT_GE(view.GetTextLimit(), static_cast<int64_t>(view.GetText().size()));

    // The list length changes and the document redraws everything: the view
    // follows with the longer list.
    stats.SetListLength(50);
    view.OnUpdate(nullptr, HINT_REDRAW_ALL, nullptr);
    EXPECT_NE(view.GetText(), kSmallList);
    EXPECT_NE(view.GetText().find("     7.000        7    0"), std::string::npos);

    // Emptied Frequency Data.
    data.Reset();
    view.OnUpdate(nullptr, HINT_DATA_CHANGED, &data);
    EXPECT_EQ(view.GetText(), "Temporary data file cannot be written.");
    EXPECT_EQ(view.textChanges, 3);
    EXPECT_EQ(view.fontChanges, 1);
}

// The view writes its list again only when what the list is made of changed,
// and then shows exactly what a fresh list of the current data holds.
TEST_F(FrequencyList, ViewFollowsEveryChangeOfTheListsInputsAndRanksOnlyThen) {
    FillSmallSpectrum(data);
    CountingStatView view;
    view.OnInitialUpdate();
    view.OnUpdate(nullptr, HINT_LIST_CHANGED, &stats);
    ASSERT_EQ(view.GetText(), kSmallList);
    auto rankings = [&] {
        return std::count(platform.statusTexts.begin(), platform.statusTexts.end(), "Gathering Frequency Statistics...");
    };

    // Nothing changed: the same text is shown again without ranking the bins.
    const auto ranked = rankings();
    view.OnUpdate(nullptr, HINT_REDRAW_ALL, nullptr);
    view.OnUpdate(nullptr, HINT_DATA_CHANGED, &data);
    EXPECT_EQ(rankings(), ranked);
    EXPECT_EQ(view.GetText(), kSmallList);
    EXPECT_EQ(view.textChanges, 3);

    // Each change, made in place as the commands make them, makes the next
    // update write the list again, as a list written from scratch shows it.
    CKalvoData other;
    std::string otherFile;
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"an Inphase value", [&] { data.Inphase().SetAt(5, 3.0); }},
        {"a Quadrature value", [&] { data.Quadrature().SetAt(7, 0.5); }},
        {"a value beyond the working range", [&] { data.Inphase().SetAt(12, 2.0); }},
        {"the sign of a zero", [&] { data.Quadrature().SetAt(9, -0.0); }},
        {"the working range", [&] { data.m_nStop = 12; }},
        {"complex data", [&] { data.m_bReal = 0; }},
        {"the range's start", [&] { data.m_nStart = 3; }},
        {"the sampling frequency", [&] { data.ApplyFs(CFs(32.0)); }},
        {"the frequency unit", [&] { data.m_Fs.SetUnit(1); }},
        {"the decibel offset", [&] { data.m_dDbOffset = 3.0; }},
        {"the list length", [&] { stats.SetListLength(2); }},
        {"a longer spectrum", [&] {
             data.Inphase().Append(50.0);
             data.Quadrature().Append(0.0);
         }},
        {"a value that is not finite", [&] { data.Inphase().SetAt(4, std::nan("")); }},
        {"the value made finite again", [&] { data.Inphase().SetAt(4, 0.25); }},
        {"other data", [&] {
             other = data;
             other.Inphase().SetAt(6, 11.0);
             stats.Bind(other, otherFile, 2);
         }},
    };
    for (const auto& [what, change] : changes) {
        change();
        const auto before = rankings();
        view.OnUpdate(nullptr, HINT_DATA_CHANGED, &data);
        EXPECT_EQ(rankings(), before + 1) << what;
        const std::string shown = view.GetText();
        const std::string fresh = ListText(stats);
        EXPECT_EQ(shown, fresh == "<none>" ? stats.NonFiniteMessage() : fresh) << what;
        // NaN data has no list; finite data has one.
        EXPECT_EQ(fresh == "<none>", std::string(what) == "a value that is not finite") << what;
        // Unchanged again: shown as it is, without ranking.
        const auto after = rankings();
        view.OnUpdate(nullptr, HINT_REDRAW_ALL, nullptr);
        EXPECT_EQ(rankings(), after) << what;
        EXPECT_EQ(view.GetText(), shown) << what;
    }
    other.Reset();
    view.OnUpdate(nullptr, HINT_DATA_CHANGED, &other);
    EXPECT_EQ(view.GetText(), "Temporary data file cannot be written.");
}

TEST_F(FrequencyList, ShowListOpensOneListWindowAndThenBringsItForward) {
    test::CScriptedWindows windows;
    FillSmallSpectrum(data);
    CKalvoraDoc doc;
    windows.CreatePlotView(doc);  // a plot is no list window
    ShowFrequencyList(doc, stats);
    ASSERT_EQ(windows.views.size(), 2u);
    EXPECT_EQ(windows.requests.back(), "list");
    EXPECT_EQ(FindListView(doc), windows.views[1].get());
    ShowFrequencyList(doc, stats);
    EXPECT_EQ(windows.views.size(), 2u);
    EXPECT_EQ(windows.requests.back(), "activate 1");
    for (const auto& view : windows.views) {
        ASSERT_FALSE(view->updates.empty());
        EXPECT_EQ(view->updates.back().hint, HINT_LIST_CHANGED);
        EXPECT_EQ(view->updates.back().object, &stats);
    }
}

TEST_F(FrequencyList, ShowListFillsAnOpenStatView) {
    test::CScriptedWindows windows;
    FillSmallSpectrum(data);
    CountingStatView view;
    CKalvoraDoc doc;
    doc.AddView(view);
    ShowFrequencyList(doc, stats);
    EXPECT_TRUE(windows.views.empty());
    EXPECT_EQ(view.GetText(), kSmallList);
    doc.RemoveView(view);
}

// ---- the list file ----------------------------------------------------------

class FrequencyListFile : public FrequencyList {
protected:
    void SetUp() override {
        previousDir = fs::current_path();
        dir = fs::temp_directory_path() / ("kv-freqlist-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        FillSmallSpectrum(data);
    }
    void TearDown() override {
        fs::current_path(previousDir);
        fs::remove_all(dir);
    }
    static std::string ReadFile(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path previousDir;
    fs::path dir;
};

TEST_F(FrequencyListFile, ChosenFileReceivesTheListAndBecomesTheListFileName) {
    const fs::path path = dir / "list.frq";
    platform.AnswerSaveFile(path.string());
    EXPECT_TRUE(WriteFrequencyListFile(stats));
    ASSERT_EQ(platform.fileRequests.size(), 1u);
    EXPECT_TRUE(platform.fileRequests[0].save);
    EXPECT_EQ(platform.fileRequests[0].initialPath, "FREQSTAT.LST");
    EXPECT_EQ(platform.fileRequests[0].filter, "All Files (*.*)|*.*|Frequency Files (*.frq)|*.frq||");
    EXPECT_EQ(listFile, path.string());
    EXPECT_EQ(ReadFile(path), kSmallList);
    EXPECT_NE(std::find(platform.statusTexts.begin(), platform.statusTexts.end(),
                        "Writing Frequency Statistics List..."),
              platform.statusTexts.end());

    // The next dialog starts in the directory of that file; an existing file
    // is replaced.
    stats.SetListLength(1);
    platform.AnswerSaveFile(path.string());
    EXPECT_TRUE(WriteFrequencyListFile(stats));
    EXPECT_EQ(fs::canonical(fs::current_path()), fs::canonical(dir));
    EXPECT_EQ(platform.fileRequests[1].initialPath, "FREQSTAT.LST");
    const std::string shorter = ReadFile(path);
    EXPECT_EQ(shorter.find("     4.000"), std::string::npos);
    EXPECT_NE(shorter.find("     2.000        2    1"), std::string::npos);
}

TEST_F(FrequencyListFile, CancelWritesNothingAndAnUncreatableFileIsReported) {
    listFile = "old.frq";
    platform.AnswerSaveFile(std::nullopt);
    EXPECT_FALSE(WriteFrequencyListFile(stats));
    EXPECT_EQ(listFile, "FREQSTAT.LST");
    EXPECT_TRUE(platform.messages.empty());

    const std::string bad = (dir / "missing" / "list.frq").string();
    platform.AnswerSaveFile(bad);
    EXPECT_FALSE(WriteFrequencyListFile(stats));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Cannot open file \"" + bad + "\".");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
    EXPECT_FALSE(fs::exists(bad));

    // Nothing to write: no dialog at all.
    data.Reset();
    EXPECT_FALSE(WriteFrequencyListFile(stats));
    EXPECT_EQ(platform.fileRequests.size(), 2u);
}

TEST_F(FrequencyListFile, AFullDiskIsReported) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    platform.AnswerSaveFile(std::string("/dev/full"));
    EXPECT_FALSE(WriteFrequencyListFile(stats));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Cannot write file \"/dev/full\".");
    EXPECT_TRUE(fs::exists("/dev/full"));
}

}  // namespace
}  // namespace kv

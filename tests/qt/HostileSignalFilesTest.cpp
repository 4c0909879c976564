// The desktop program reads the signal files that once hung it or made it
// read or convert outside what the data allows (values near the largest
// double, a first frequency bin that is not a number, huge values drawn as
// polar bars) through the Data Files dialog, and shows them in every plot
// type and style, or refuses them with a message. In the sanitizer build
// any report stops the test; a hang stops it by its time limit.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include <unistd.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTimer>

#include "app/CModDoc.h"
#include "plot/PlotCommands.h"
#include "qt/CMainWindow.h"
#include "qt/CPlotWidget.h"
#include "qt/CQtDialog.h"
#include "qt/CQtPlatform.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

class HostileSignalFiles : public ::testing::Test {
protected:
    void SetUp() override {
        m_pPrevious = SetPlatform(&m_platform.Platform());
        for (int i = 1; i <= 4; ++i) m_platform.SetString("Recent File List", "File" + std::to_string(i), "");
        m_dir = fs::temp_directory_path() / ("kv_hostile_" + std::to_string(getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        SetPlatform(m_pPrevious);
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // Reads the file as Time Data with the format and "Complex" box given
    // (the Data Files dialog pressed OK; every message box read and
    // closed), with the automatic processing to the transform; then paints
    // every plot window in every plot type, in line and bar style. Returns
    // whether anything was shown; the messages are kept.
    bool ReadAndShow(const std::string& path, int32_t format, bool complex) {
        CMainWindow window(m_platform);
        window.resize(900, 700);
        window.show();
        CModDoc* doc = window.NewProject();
        EXPECT_NE(doc, nullptr);
        if (!doc) return false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                m_messages.push_back(box->text().toStdString());
                box->done(QMessageBox::Ok);
            } else if (auto* dialog = qobject_cast<CQtDialog*>(modal)) {
                dialog->accept();
            }
        });
        closer.start(5);
        doc->m_TimeFiles.m_strPath = path;
        doc->m_TimeFiles.m_strName = fs::path(path).filename().string();
        doc->m_TimeFiles.m_Format.m_nFormat = format;
        doc->m_TimeFiles.m_bComplex = complex ? 1 : 0;
        doc->m_ProcDlg.m_bProcRemoveDc = doc->m_ProcDlg.m_bProcWindow = doc->m_ProcDlg.m_bProcToFreq = 1;
        doc->m_ProcDlg.m_bProcFreqStats = doc->m_ProcDlg.m_bProcFreqList = 1;
        doc->RunOperation(OP_READ_TIME);
        int painted = 0;
        for (QMdiSubWindow* sub : window.MdiArea()->subWindowList()) {
            auto* plot = qobject_cast<CPlotWidget*>(sub->widget());
            if (!plot) continue;
            plot->resize(640, 400);
            for (int type : {ID_PLOT_INPHASE, ID_PLOT_QUADRATURE, ID_PLOT_I_AND_Q, ID_PLOT_MAGNITUDE, ID_PLOT_PHASE,
                             ID_PLOT_POLAR}) {
                for (int style : {ID_STYLE_LINE, ID_STYLE_BAR}) {
                    plot->Graph().DoCommand(style);
                    plot->Graph().DoCommand(type);
                    EXPECT_FALSE(plot->RenderImage().isNull());
                }
            }
            ++painted;
        }
        closer.stop();
        return !doc->m_TimeData.IsEmpty() && painted > 0;
    }

    CQtPlatform m_platform;
    CPlatform* m_pPrevious = nullptr;
    fs::path m_dir;
    std::vector<std::string> m_messages;
};

TEST_F(HostileSignalFiles, DataNearTheLargestDoubleIsShown) {
    // The axis scaling once made an axis end of infinity from these and
    // trimmed it for ever.
    EXPECT_TRUE(ReadAndShow(Write("c.txt", "-1.1581057137040757e308\n0.86320936664887393\n"), FMT_TEXT_DECIMAL, false));
    EXPECT_TRUE(ReadAndShow(Write("d.txt", "0.86320936664887393\n1.7e308\n"), FMT_TEXT_DECIMAL, false));
}

TEST_F(HostileSignalFiles, NanFirstBinIsShownOrRefused) {
    // The ranked list once read before its first entry for this spectrum.
    m_messages.clear();
    const bool shown = ReadAndShow(Write("a.txt", "nan\n0\n0\n0\n"), FMT_TEXT_DECIMAL, false);
    EXPECT_TRUE(shown || !m_messages.empty());
}

TEST_F(HostileSignalFiles, HugeComplexValuesAreShown) {
    // Polar bars of values far outside the axis once filled millions of
    // pixel columns each; spans near the largest double once overflowed
    // the polar layout's integer sides.
    const double values[] = {1e300, -3e307, std::numeric_limits<double>::max(), 1.0, -1e306,
                             std::numeric_limits<double>::denorm_min(), 2e-300, -std::numeric_limits<double>::max()};
    std::string bytes(sizeof values, '\0');
    std::memcpy(bytes.data(), values, sizeof values);
    EXPECT_TRUE(ReadAndShow(Write("huge.bin", bytes), FMT_BINARY_DOUBLE, true));
    const std::string kept = fs::path(KALVORA_SOURCE_DIR) / "tests" / "data" / "fuzz-regressions" / "signal_binary" /
                             "bars-millions-of-pixels-wide";
    std::ifstream in(kept, std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(file.empty());
    m_messages.clear();
    const bool shown = ReadAndShow(Write("bars.bin", file), FMT_BINARY_DOUBLE, true);
    EXPECT_TRUE(shown || !m_messages.empty());
}

}  // namespace
}  // namespace kv

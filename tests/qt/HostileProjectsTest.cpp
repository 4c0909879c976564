// The desktop program opens every project kept from fuzzing: it shows the
// project in its plot windows, each of them painted, or refuses it with a
// message. In the sanitizer build any report stops the test.
#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/CModDoc.h"
#include "qt/CMainWindow.h"
#include "qt/CPlotWidget.h"
#include "qt/CQtPlatform.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

class HostileProjects : public ::testing::Test {
protected:
    void SetUp() override {
        m_pPrevious = SetPlatform(&m_platform.Platform());
        for (int i = 1; i <= 4; ++i) m_platform.SetString("Recent File List", "File" + std::to_string(i), "");
    }
    void TearDown() override { SetPlatform(m_pPrevious); }

    CQtPlatform m_platform;
    CPlatform* m_pPrevious = nullptr;
};

TEST_F(HostileProjects, OpenAndShowOrAreRefused) {
    const fs::path folder = fs::path(KALVORA_SOURCE_DIR) / "tests" / "data" / "fuzz-regressions" / "project";
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        CMainWindow window(m_platform);
        window.resize(900, 700);
        window.show();
        // Every message box the program shows is read and closed.
        std::vector<QString> messages;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages.push_back(box->text());
                box->done(QMessageBox::Ok);
            }
        });
        closer.start(5);
        CModDoc* doc = window.OpenProject(file.string());
        int painted = 0;
        if (doc) {
            for (QMdiSubWindow* sub : window.MdiArea()->subWindowList()) {
                auto* plot = qobject_cast<CPlotWidget*>(sub->widget());
                if (!plot) continue;
                plot->resize(640, 400);
                const QPixmap picture = plot->grab();
                EXPECT_FALSE(picture.isNull());
                ++painted;
            }
        }
        closer.stop();
        EXPECT_TRUE((doc && painted > 0) || !messages.empty());
    }
}

}  // namespace
}  // namespace kv

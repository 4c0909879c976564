// The manual is complete and whole: every command and dialog of the program
// has its page, every field of every dialog is described, every link and
// picture resolves, and the index and search find what they should.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>

#include "analysis/CConverterMetricsDlg.h"
#include "analysis/CDsStats.h"
#include "analysis/CFStatDlg.h"
#include "app/CCommandTable.h"
#include "app/CListLength.h"
#include "app/CMixDlg.h"
#include "app/CPadDlg.h"
#include "app/CPreferences.h"
#include "app/CProcDlg.h"
#include "app/CRange.h"
#include "app/CSampRate.h"
#include "app/CScaleDlg.h"
#include "app/CZeroPad.h"
#include "data/CAsmOpts.h"
#include "data/CFixedPointOpts.h"
#include "data/COptionsC.h"
#include "data/CRefDlg.h"
#include "data/CTitles.h"
#include "data/CWavFmt.h"
#include "dsp/CTransOpt.h"
#include "dsp/CWndDlg.h"
#include "formats/CDataFiles.h"
#include "formats/CWriteCol.h"
#include "generate/CAudio.h"
#include "generate/CGenerate.h"
#include "generate/CIFFilter.h"
#include "generate/CModParm.h"
#include "generate/CNoise.h"
#include "generate/CQuadErr.h"
#include "generate/CSamp.h"
#include "platform/CMenuItem.h"
#include "plot/CAxisDlg.h"
#include "plot/CGraphOptions.h"
#include "plot/PlotCommands.h"
#include "plot/PlotMenus.h"
#include "qt/CHelpManual.h"
#include "qt/CHelpSystem.h"
#include "qt/CMainWindow.h"
#include "qt/CQtPlatform.h"

namespace kv {
namespace {

const QString kSourceDir = QStringLiteral(KALVORA_SOURCE_DIR);
const QString kManualDir = kSourceDir + QStringLiteral("/docs/manual");
const QString kMapHint = QStringLiteral("docs/manual/help-map.txt");

QString ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

std::string S(const QString& s) { return s.toStdString(); }

// The dialogs of the program, as the help system meets them at run time.
std::vector<std::unique_ptr<CDialogModel>> AllDialogs() {
    std::vector<std::unique_ptr<CDialogModel>> d;
    d.push_back(std::make_unique<CDsStats>());
    d.push_back(std::make_unique<CFStatDlg>());
    d.push_back(std::make_unique<CConverterMetricsDlg>());
    d.push_back(std::make_unique<CListLength>());
    d.push_back(std::make_unique<CMixDlg>());
    d.push_back(std::make_unique<CPadDlg>());
    d.push_back(std::make_unique<CPreferences>());
    d.push_back(std::make_unique<CProcDlg>());
    d.push_back(std::make_unique<CRange>());
    d.push_back(std::make_unique<CSampRate>());
    d.push_back(std::make_unique<CScaleDlg>());
    d.push_back(std::make_unique<CZeroPad>());
    d.push_back(std::make_unique<CRefDlg>());
    d.push_back(std::make_unique<CTransOpt>());
    d.push_back(std::make_unique<CWndDlg>());
    d.push_back(std::make_unique<CAsmOpts>());
    d.push_back(std::make_unique<CDataFiles>());
    d.push_back(std::make_unique<CFixedPointOpts>());
    d.push_back(std::make_unique<COptionsC>());
    d.push_back(std::make_unique<CTitles>());
    d.push_back(std::make_unique<CWavFmt>());
    d.push_back(std::make_unique<CWriteCol>());
    d.push_back(std::make_unique<CAudio>());
    d.push_back(std::make_unique<CGenerate>());
    d.push_back(std::make_unique<CIFFilter>());
    d.push_back(std::make_unique<CModParm>());
    d.push_back(std::make_unique<CNoise>());
    d.push_back(std::make_unique<CQuadErr>());
    d.push_back(std::make_unique<CSamp>());
    d.push_back(std::make_unique<CAxisDlg>());
    d.push_back(std::make_unique<CGraphOptions>());
    return d;
}

// Every dialog class in the sources: the classes that derive, directly or
// through another dialog, from the dialog model. Class name -> header.
std::map<QString, QString> DialogClassesInSources() {
    static const QRegularExpression decl(
        QStringLiteral("class\\s+(\\w+)\\s*(?:final\\s*)?:\\s*public\\s+(?:kv::)?(\\w+)"));
    std::map<QString, std::pair<QString, QString>> bases;  // class -> (base, file)
    QDirIterator it(kSourceDir + QStringLiteral("/src"), {QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString text = ReadFile(path);
        for (auto m = decl.globalMatch(text); m.hasNext();) {
            auto match = m.next();
            bases[match.captured(1)] = {match.captured(2), QDir(kSourceDir).relativeFilePath(path)};
        }
    }
    std::map<QString, QString> dialogs;
    for (const auto& [name, info] : bases) {
        QString base = info.first;
        for (int depth = 0; depth < 10 && !base.isEmpty(); ++depth) {
            if (base == QLatin1String("CDialogModel")) {
                dialogs[name] = info.second;
                break;
            }
            auto up = bases.find(base);
            base = up == bases.end() ? QString() : up->second.first;
        }
    }
    return dialogs;
}

void CollectMenuIds(const CMenuItem& item, const QString& path, std::map<int, QString>& ids) {
    if (item.m_nId != 0) ids.emplace(item.m_nId, path + QString::fromStdString(item.m_strText));
    for (const CMenuItem& child : item.m_items)
        CollectMenuIds(child, path + QString::fromStdString(item.m_strText) + QStringLiteral(" > "), ids);
}

void CollectActions(QMenu& menu, const QString& path, std::map<int, QString>& ids) {
    for (QAction* a : menu.actions()) {
        if (a->menu()) {
            CollectActions(*a->menu(), path + a->text() + QStringLiteral(" > "), ids);
            continue;
        }
        bool ok = false;
        const int id = a->data().toInt(&ok);
        if (ok && !a->isSeparator()) ids.emplace(id, path + a->text());
    }
}

class HelpManualTest : public ::testing::Test {
protected:
    CHelpManual m_manual{kManualDir};
};

TEST_F(HelpManualTest, TheProgramCarriesTheManualOfTheSourceFolder) {
    ASSERT_TRUE(m_manual.IsLoaded()) << S(kManualDir);
    EXPECT_TRUE(m_manual.Problems().isEmpty()) << S(m_manual.Problems().join('\n'));
    CHelpManual built;  // from the program's resources
    ASSERT_TRUE(built.IsLoaded());
    EXPECT_EQ(built.Pages(), m_manual.Pages());
    EXPECT_EQ(built.Contents().size(), m_manual.Contents().size());
    EXPECT_EQ(built.CommandPages(), m_manual.CommandPages());
    for (const QString& page : m_manual.Pages())
        EXPECT_EQ(built.Source(page), m_manual.Source(page)) << S(page) << " differs from the program's copy";
}

TEST_F(HelpManualTest, EveryLinkAndPictureResolvesAndEveryPageIsInTheContents) {
    static const QRegularExpression ref(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
    static const QRegularExpression id(QStringLiteral("\\b(?:id|name)=\"([^\"]+)\""));
    QStringList broken;
    std::set<QString> linked;
    for (const QString& page : m_manual.Pages()) {
        const QString source = m_manual.Source(page);
        EXPECT_TRUE(source.contains(QLatin1String("href=\"style.css\""))) << S(page) << " lacks the stylesheet";
        for (auto it = ref.globalMatch(source); it.hasNext();) {
            const QString target = it.next().captured(1);
            if (target.startsWith(QLatin1String("http")) || target.startsWith(QLatin1String("mailto:"))) continue;
            const QString file = target.section('#', 0, 0);
            const QString anchor = target.section('#', 1);
            const QString targetFile = file.isEmpty() ? page : file;
            if (!QFileInfo::exists(kManualDir + '/' + targetFile)) {
                broken << page + QStringLiteral(": ") + target + QStringLiteral(" (no such file)");
                continue;
            }
            linked.insert(targetFile);
            if (anchor.isEmpty()) continue;
            bool found = false;
            for (auto ids = id.globalMatch(ReadFile(kManualDir + '/' + targetFile)); ids.hasNext();)
                if (ids.next().captured(1) == anchor) found = true;
            if (!found) broken << page + QStringLiteral(": ") + target + QStringLiteral(" (no such anchor)");
        }
    }
    EXPECT_TRUE(broken.isEmpty()) << S(broken.join('\n'));

    std::set<QString> inContents;
    for (const auto& e : m_manual.Contents()) inContents.insert(e.page);
    for (const QString& page : m_manual.Pages())
        EXPECT_TRUE(inContents.count(page)) << S(page) << " is missing from docs/manual/contents.txt";
    // Every picture in the folder is used by some page.
    for (const QString& picture : QDir(kManualDir + "/pictures").entryList({"*.png"}, QDir::Files))
        EXPECT_TRUE(linked.count("pictures/" + picture)) << "pictures/" << S(picture) << " is not shown on any page";
    // Anchors named by the map exist too.
    for (const auto& [command, page] : m_manual.CommandPages()) {
        if (!page.contains('#')) continue;
        EXPECT_TRUE(m_manual.Source(page).contains("id=\"" + page.section('#', 1) + "\""))
            << "help-map.txt: command " << command << " names the missing anchor " << S(page);
    }
}

TEST_F(HelpManualTest, EveryMenuCommandAndToolbarButtonHasAPage) {
    CQtPlatform platform;
    CPlatform* previous = SetPlatform(&platform.Platform());
    std::map<int, QString> ids;
    {
        CMainWindow window(platform);
        window.NewProject();
        for (QAction* top : window.menuBar()->actions())
            if (top->menu()) CollectActions(*top->menu(), top->text() + QStringLiteral(" > "), ids);
        for (QToolBar* bar : window.findChildren<QToolBar*>())
            for (QAction* a : bar->actions())
                if (a->data().isValid()) ids.emplace(a->data().toInt(), QStringLiteral("toolbar > ") + a->text());
    }
    SetPlatform(previous);
    CollectMenuIds(LoadPlotMenu(IDR_GRAPH_CONTEXT_MENU), QStringLiteral("plot context menu"), ids);
    for (const CCommand& c : CCommandTable::Commands())
        ids.emplace(c.m_nId, QString::fromStdString(LoadString(c.m_nText)));
    ASSERT_GT(ids.size(), 60u);

    QStringList missing;
    for (const auto& [id, where] : ids)
        if (m_manual.PageForCommand(id).isEmpty())
            missing << QStringLiteral("command %1 \"%2\" has no page: add \"command %1 PAGE.html\" to %3")
                           .arg(id)
                           .arg(where, kMapHint);
    EXPECT_TRUE(missing.isEmpty()) << S(missing.join('\n'));
}

TEST_F(HelpManualTest, EveryDialogHasAPageThatDescribesEachOfItsFields) {
    const std::map<QString, QString> classes = DialogClassesInSources();
    ASSERT_GT(classes.size(), 25u);
    QStringList missing;
    for (const auto& [name, header] : classes)
        if (m_manual.PageForDialog(name).isEmpty())
            missing << QStringLiteral("dialog %1 (%2) has no page: add \"dialog %1 PAGE.html\" to %3")
                           .arg(name, header, kMapHint);
    EXPECT_TRUE(missing.isEmpty()) << S(missing.join('\n'));

    // The fields, for the dialogs this test can open.
    QStringList undescribed;
    for (const auto& dialog : AllDialogs()) {
        const QString name = CHelpSystem::DialogClassName(*dialog);
        EXPECT_TRUE(classes.count(name)) << S(name) << " is not the class name found in the sources";
        const QString page = m_manual.PageForDialog(name);
        if (page.isEmpty()) continue;
        dialog->EnsureControls();
        for (const CControl& c : dialog->Controls()) {
            if (c.m_kind == ControlKind::Static && c.m_strLabel.empty()) continue;
            const QStringList names = CHelpSystem::FieldNames(*dialog, c);
            bool described = false;
            for (const QString& n : names)
                if (!m_manual.FieldHelp(page, n).isEmpty()) described = true;
            if (!described)
                undescribed << QStringLiteral("%1: field \"%2\" (control %3) is not described on %4: add a "
                                              "<dt> with its name (or its group's) there")
                                   .arg(name, names.join(QStringLiteral("\" / \"")))
                                   .arg(c.m_nId)
                                   .arg(page);
        }
    }
    EXPECT_TRUE(undescribed.isEmpty()) << S(undescribed.join('\n'));
}

TEST_F(HelpManualTest, IndexAndSearchFindTheKnownPages) {
    auto indexed = [&](const QString& keyword) {
        QStringList pages;
        for (const auto& e : m_manual.Index())
            if (e.keyword.compare(keyword, Qt::CaseInsensitive) == 0) pages << e.page;
        return pages;
    };
    EXPECT_TRUE(indexed("SFDR").contains("frequency-statistics.html")) << S(indexed("SFDR").join(' '));
    EXPECT_TRUE(indexed("Dolph-Chebyshev window").contains("window.html"));
    // The index is sorted without regard to case.
    for (size_t i = 1; i < m_manual.Index().size(); ++i)
        EXPECT_LE(QString::compare(m_manual.Index()[i - 1].keyword, m_manual.Index()[i].keyword, Qt::CaseInsensitive),
                  0);

    auto hits = m_manual.Search("SFDR SINAD");
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.front().page, "frequency-statistics.html");
    // Every hit holds every word; the scores fall.
    for (size_t i = 0; i < hits.size(); ++i) {
        const QString text = m_manual.Source(hits[i].page).toLower();
        EXPECT_TRUE(text.contains("sfdr") && text.contains("sinad")) << S(hits[i].page);
        if (i) {
            EXPECT_GE(hits[i - 1].score, hits[i].score);
        }
    }
    // Word endings do not matter: "windows" and "windowing" find the window page.
    auto windows = m_manual.Search("Windowing");
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(windows.front().page, "window.html");
    EXPECT_TRUE(m_manual.Search("qwertyuiop").empty());
    EXPECT_TRUE(m_manual.Search("  ").empty());
    EXPECT_TRUE(m_manual.Search("SFDR qwertyuiop").empty());
}

TEST_F(HelpManualTest, ContentsStartAtTheFrontPageAndNest) {
    ASSERT_FALSE(m_manual.Contents().empty());
    EXPECT_EQ(m_manual.Contents().front().page, "index.html");
    EXPECT_EQ(m_manual.Contents().front().level, 0);
    int deepest = 0;
    for (const auto& e : m_manual.Contents()) {
        deepest = std::max(deepest, e.level);
        EXPECT_FALSE(e.title.isEmpty()) << S(e.page);
        EXPECT_NE(e.title, e.page) << S(e.page) << " has no <title>";
    }
    EXPECT_GE(deepest, 1);
}

TEST(HelpManualWords, LabelsAndWordsAreComparedLoosely) {
    EXPECT_EQ(CHelpManual::NormalizeLabel("  &Fundamental: "), "fundamental");
    EXPECT_EQ(CHelpManual::NormalizeLabel("Dolph-Cheby, Gamma ="), "dolph-cheby, gamma");
    EXPECT_EQ(CHelpManual::Words("Windows, windowing; WINDOWED window"),
              QStringList({"window", "window", "window", "window"}));
    EXPECT_EQ(CHelpManual::Words("Frequencies"), QStringList({"frequency"}));
    // Short words keep their endings.
    EXPECT_EQ(CHelpManual::Words("dBs is"), QStringList({"dbs", "is"}));
}

}  // namespace
}  // namespace kv

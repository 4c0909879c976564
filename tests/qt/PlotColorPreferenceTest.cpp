// The "Plot colours" preference: the choice in the Preferences dialog and
// the colours the plot windows take from it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QTest>

#include "app/CKalvoraDoc.h"
#include "app/CPreferences.h"
#include "plot/CPlotColors.h"
#include "qt/CPlotWidget.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

// Sets the application's palette for the time of a test.
class CPaletteScope {
public:
    explicit CPaletteScope(bool dark) : m_saved(QApplication::palette()) {
        QPalette p = m_saved;
        const QColor window = dark ? QColor(35, 35, 38) : QColor(240, 240, 240);
        const QColor text = dark ? QColor(230, 230, 230) : QColor(0, 0, 0);
        p.setColor(QPalette::Window, window);
        p.setColor(QPalette::WindowText, text);
        QApplication::setPalette(p);
    }
    ~CPaletteScope() { QApplication::setPalette(m_saved); }

private:
    QPalette m_saved;
};

TEST(PlotColorPreference, TheDialogOffersTheThreeSchemesAndStoresTheChoice) {
    test::CScriptedPlatform platform;
    CPreferences prefs;
    prefs.Load();
    EXPECT_EQ(prefs.m_nPlotColors, 0);
    EXPECT_EQ(CPreferences::PlotColorChoices(), (std::vector<std::string>{"Classic", "Follow desktop", "Dark"}));
    platform.OnDialog<CPreferences>([](CPreferences& d) {
        EXPECT_EQ(d.GetDlgItemText(CPreferences::IDC_PLOT_COLORS), "Classic");
        d.SimulateSelect(CPreferences::IDC_PLOT_COLORS, 1);
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(RunDialog(prefs));
    EXPECT_EQ(platform.GetInt("Preferences", "PlotColors", -1), 1);
    EXPECT_EQ(CPreferences::StoredPlotColors(), 1);
    // A value that is no scheme reads as Classic.
    platform.intSettings[{"Preferences", "PlotColors"}] = 9;
    EXPECT_EQ(CPreferences::StoredPlotColors(), 0);
}

TEST(PlotColorPreference, PlotWindowsTakeTheSchemeAndFollowTheDesktop) {
    test::CScriptedPlatform platform;
    const Color darkBackground = CPlotColors::DarkColors().m_background;
    const Color classicBackground = CPlotColors::ClassicColors().m_background;
    CKalvoraDoc doc;
    {
        CPaletteScope light(false);
        platform.intSettings[{"Preferences", "PlotColors"}] = 1;  // Follow desktop
        CPlotWidget plot(doc);
        EXPECT_EQ(plot.Graph().Colors().m_background, classicBackground);
        // The desktop turns dark: the plot follows.
        CPaletteScope dark(true);
        QApplication::processEvents();
        plot.ApplyColorPreference();
        EXPECT_EQ(plot.Graph().Colors().m_background, darkBackground);
        // Classic stays classic on a dark desktop; Dark is dark everywhere.
        platform.intSettings[{"Preferences", "PlotColors"}] = 0;
        CPlotWidget::ApplyPreferencesToAll();
        EXPECT_EQ(plot.Graph().Colors().m_background, classicBackground);
    }
    CPaletteScope light(false);
    platform.intSettings[{"Preferences", "PlotColors"}] = 2;
    CPlotWidget plot(doc);
    EXPECT_EQ(plot.Graph().Colors().m_background, darkBackground);
    // Every text colour of the dark scheme stays legible on its background.
    const CPlotColors c = plot.Graph().Colors();
    for (Color text : {c.m_text, c.m_axis, c.m_marker, c.m_inphase, c.m_quadrature})
        EXPECT_GE(CPlotColors::Contrast(text, c.m_background), 4.5);
}

}  // namespace
}  // namespace kv

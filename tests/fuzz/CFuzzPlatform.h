#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CFuzzWindow.h"
#include "analysis/CStatView.h"
#include "platform/CPlatform.h"
#include "plot/CGraph.h"

namespace kv::fuzz {

// The platform under fuzzing: silent, quick and always the same. Messages
// are kept and answered OK (Yes for questions, so that a run goes as far
// as it can); dialogs are pressed OK with what they hold, or cancelled, as
// set; file dialogs are cancelled; settings keep their defaults. Plot windows are signal graphs in windows that draw nothing, list
// windows frequency-list views; the platform owns them. It installs itself
// for its lifetime.
class CFuzzPlatform : public IMessages,
                      public IDialogs,
                      public IStatus,
                      public IFileDialogs,
                      public IClipboard,
                      public ISettings,
                      public IWindowManager {
public:
    // A plot view and the window it lives in.
    struct CPlotView {
        CPlotView() : window(640, 400) { graph.SetWindow(&window); }
        CFuzzWindow window;
        CGraph graph;
    };

    CFuzzPlatform();
    ~CFuzzPlatform() override;
    CFuzzPlatform(const CFuzzPlatform&) = delete;
    CFuzzPlatform& operator=(const CFuzzPlatform&) = delete;

    // IMessages
    MsgAnswer ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
    // IDialogs
    bool RunModal(CDialogModel& model) override;
    bool RunPropertySheet(CPropertySheetModel& sheet) override;
    // IStatus
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override { ++m_nWaitDepth; }
    void EndWaitCursor() override { --m_nWaitDepth; }
    // IFileDialogs
    std::optional<std::string> GetOpenFileName(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> GetSaveFileName(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    // IClipboard
    bool SetText(const std::string& text) override;
    bool SetPicture(const std::string&, const std::string&) override { return true; }
    // ISettings
    int GetInt(const std::string& section, const std::string& key, int defaultValue) override;
    void SetInt(const std::string&, const std::string&, int) override {}
    std::string GetString(const std::string&, const std::string&, const std::string& d) override { return d; }
    void SetString(const std::string&, const std::string&, const std::string&) override {}
    // IWindowManager
    CView* CreatePlotView(CKalvoraDoc& doc) override;
    CView* CreateListView(CKalvoraDoc& doc) override;
    void ActivateView(CView&) override {}
    void MaximizeView(CView&) override {}
    void CloseDocument(CKalvoraDoc&) override {}

    // The plot type and style the preferences give for Time and Frequency
    // plots (0 automatic).
    void SetPreferredPlot(int timeType, int freqType, int style);
    // Dialogs and property sheets are pressed OK (true) or cancelled.
    void SetPressOk(bool pressOk) { m_bPressOk = pressOk; }
    // Detaches and destroys every view.
    void CloseViews();

    std::vector<std::unique_ptr<CPlotView>> m_Plots;
    std::vector<std::unique_ptr<CStatView>> m_Lists;
    std::vector<std::string> m_Messages;
    std::string m_strClipboard;
    // Wait cursors shown and not yet removed.
    int m_nWaitDepth = 0;

private:
    CPlatform m_platform;
    CPlatform* m_pPrevious;
    int m_nTimeType = 0;
    int m_nFreqType = 0;
    int m_nStyle = 0;
    bool m_bPressOk = false;
};

}  // namespace kv::fuzz

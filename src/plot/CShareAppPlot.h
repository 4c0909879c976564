#pragma once
#include <string>

#include "plot/CZoomPlot.h"

namespace kv {

// A zoomable plot linked to the main window: its status texts go to the
// status bar, and the busy pointer follows the busy and done texts.
class CShareAppPlot : public CZoomPlot {
public:
    ~CShareAppPlot() override;

    void SetStatusText(const std::string& text) override;
    void ShowBusyStatus(const std::string& text) override;
    void ShowDoneStatus(const std::string& text) override;

private:
    bool m_bBusy = false;
};

}  // namespace kv

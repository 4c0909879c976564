#pragma once
#include <memory>

#include "platform/CPlatform.h"

class QMainWindow;
class QSettings;

namespace kv {

class CStatusLine;
class CQtProgress;

// The platform services over Qt Widgets: message boxes, dialogs, the status
// bar and wait cursor of the main window, file dialogs, the clipboard and
// the settings store (company "Quellin", application "Kalvora").
class CQtPlatform : public IMessages,
                    public IDialogs,
                    public IStatus,
                    public IFileDialogs,
                    public IClipboard,
                    public ISettings {
public:
    CQtPlatform();
    ~CQtPlatform() override;

    // The window whose status bar shows status texts and which parents dialogs.
    void SetMainWindow(QMainWindow* window);
    // The status bar's message pane that shows the status texts.
    void SetStatusLine(CStatusLine* line) { m_pStatusLine = line; }
    CPlatform& Platform() { return m_platform; }

    MsgAnswer ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
    bool RunModal(CDialogModel& model) override;
    bool RunPropertySheet(CPropertySheetModel& sheet) override;
    void SetStatusText(const std::string& text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    bool ShowProgress(const std::string& text, int percent) override;
    void EndProgress() override;
    // The progress bar of the main window (made at the first progress shown).
    CQtProgress* Progress() const { return m_pProgress.get(); }
    std::optional<std::string> GetOpenFileName(const std::string& title, const std::string& filter,
                                               const std::string& initialPath) override;
    std::optional<std::string> GetSaveFileName(const std::string& title, const std::string& filter,
                                               const std::string& initialPath) override;
    bool SetText(const std::string& text) override;
    bool SetPicture(const std::string& pngBytes, const std::string& svgText) override;
    int GetInt(const std::string& section, const std::string& key, int defaultValue) override;
    void SetInt(const std::string& section, const std::string& key, int value) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;
    void SetString(const std::string& section, const std::string& key, const std::string& value) override;

    // The program's filters as Qt's: "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"
    // becomes "Text Files (*.txt);;All Files (*)": each description once with
    // its patterns, and "*.*" matching every file, with or without a dot.
    static std::string ConvertFilter(const std::string& filter);

private:
    CPlatform m_platform;
    QMainWindow* m_pMainWindow = nullptr;
    CStatusLine* m_pStatusLine = nullptr;
    std::unique_ptr<QSettings> m_pSettings;
    std::unique_ptr<CQtProgress> m_pProgress;
    int m_nWaitDepth = 0;
    bool m_bWaitText = false;  // the last status text came during a wait
};

}  // namespace kv

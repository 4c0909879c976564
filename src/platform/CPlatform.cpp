#include "platform/CPlatform.h"

#include <cstdio>
#include <map>
#include <new>
#include <utility>

#include "platform/CDialogModel.h"
#include "platform/CProgress.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

class CHeadlessMessages : public IMessages {
public:
    MsgAnswer ShowMessage(const std::string& text, MsgIcon, MsgButtons buttons) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        switch (buttons) {
            case MsgButtons::Ok: return MsgAnswer::Ok;
            case MsgButtons::OkCancel: return MsgAnswer::Cancel;
            case MsgButtons::YesNo:
            case MsgButtons::YesNoCancel: return MsgAnswer::No;
        }
        return MsgAnswer::Cancel;
    }
};

class CHeadlessDialogs : public IDialogs {
public:
    bool RunModal(CDialogModel&) override { return false; }
    bool RunPropertySheet(CPropertySheetModel&) override { return false; }
};

class CHeadlessStatus : public IStatus {
public:
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
};

class CHeadlessFiles : public IFileDialogs {
public:
    std::optional<std::string> GetOpenFileName(const std::string&, const std::string&,
                                               const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> GetSaveFileName(const std::string&, const std::string&,
                                               const std::string&) override {
        return std::nullopt;
    }
};

class CHeadlessClipboard : public IClipboard {
public:
    bool SetText(const std::string&) override { return false; }
    bool SetPicture(const std::string&, const std::string&) override { return false; }
};

class CMemorySettings : public ISettings {
public:
    int GetInt(const std::string& section, const std::string& key, int defaultValue) override {
        auto it = m_ints.find({section, key});
        return it == m_ints.end() ? defaultValue : it->second;
    }
    void SetInt(const std::string& section, const std::string& key, int value) override {
        m_ints[{section, key}] = value;
    }
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override {
        auto it = m_strings.find({section, key});
        return it == m_strings.end() ? defaultValue : it->second;
    }
    void SetString(const std::string& section, const std::string& key, const std::string& value) override {
        m_strings[{section, key}] = value;
    }

private:
    std::map<std::pair<std::string, std::string>, int> m_ints;
    std::map<std::pair<std::string, std::string>, std::string> m_strings;
};

class CHeadlessWindows : public IWindowManager {
public:
    CView* CreatePlotView(CKalvoraDoc&) override { return nullptr; }
    CView* CreateListView(CKalvoraDoc&) override { return nullptr; }
    void ActivateView(CView&) override {}
    void MaximizeView(CView&) override {}
    void CloseDocument(CKalvoraDoc&) override {}
};

CHeadlessWindows& HeadlessWindows() {
    static CHeadlessWindows windows;
    return windows;
}

class CHeadlessFontChooser : public IFontChooser {
public:
    bool ChooseFont(CFontDesc&, int) override { return false; }
};

class CHeadlessContextMenus : public IContextMenus {
public:
    void TrackPopupMenu(const CMenuItem&, ICommandTarget&, int, int) override {}
};

CPlatform& HeadlessPlatform() {
    static CHeadlessMessages messages;
    static CHeadlessDialogs dialogs;
    static CHeadlessStatus status;
    static CHeadlessFiles files;
    static CHeadlessClipboard clipboard;
    static CMemorySettings settings;
    static CPlatform platform(messages, dialogs, status, files, clipboard, settings);
    return platform;
}

CPlatform* g_pPlatform = nullptr;

}  // namespace

CPlatform::CPlatform(IMessages& messages, IDialogs& dialogs, IStatus& status, IFileDialogs& files,
                     IClipboard& clipboard, ISettings& settings)
    : m_pMessages(&messages),
      m_pDialogs(&dialogs),
      m_pStatus(&status),
      m_pFiles(&files),
      m_pClipboard(&clipboard),
      m_pSettings(&settings) {}

IWindowManager& CPlatform::Windows() const { return m_pWindows ? *m_pWindows : HeadlessWindows(); }

IFontChooser& CPlatform::FontChooser() const {
    static CHeadlessFontChooser headless;
    return m_pFontChooser ? *m_pFontChooser : headless;
}

IContextMenus& CPlatform::ContextMenus() const {
    static CHeadlessContextMenus headless;
    return m_pContextMenus ? *m_pContextMenus : headless;
}

CPlatform& Platform() { return g_pPlatform ? *g_pPlatform : HeadlessPlatform(); }

CPlatform* SetPlatform(CPlatform* platform) {
    CPlatform* previous = g_pPlatform;
    g_pPlatform = platform;
    return previous;
}

void ErrorBox(const std::string& text) { Platform().Messages().ShowMessage(text, MsgIcon::Error, MsgButtons::Ok); }

void WarningBox(const std::string& text) {
    Platform().Messages().ShowMessage(text, MsgIcon::Warning, MsgButtons::Ok);
}

void InfoBox(const std::string& text) {
    Platform().Messages().ShowMessage(text, MsgIcon::Information, MsgButtons::Ok);
}

bool AskYesNo(const std::string& text, MsgIcon icon) {
    return Platform().Messages().ShowMessage(text, icon, MsgButtons::YesNo) == MsgAnswer::Yes;
}

void SetStatusText(const std::string& text) {
    CProgress::NoteStatusText(text);
    Platform().Status().SetStatusText(text);
}

bool RunDialog(CDialogModel& model) { return Platform().Dialogs().RunModal(model); }

bool RunPropertySheet(CPropertySheetModel& sheet) { return Platform().Dialogs().RunPropertySheet(sheet); }

bool RunGuarded(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::bad_alloc&) {
        ErrorBox(LoadString(IDS_OUT_OF_MEMORY));
        return false;
    } catch (const COperationCancelled&) {
        // Stopped by the user: whatever ran has put things back.
        return false;
    }
}

CWaitCursor::CWaitCursor() { Platform().Status().BeginWaitCursor(); }

CWaitCursor::CWaitCursor(const std::string& statusText) {
    // The text belongs to the wait: a platform may take it back when the
    // wait ends.
    Platform().Status().BeginWaitCursor();
    SetStatusText(statusText);
}

CWaitCursor::~CWaitCursor() { Platform().Status().EndWaitCursor(); }

}  // namespace kv

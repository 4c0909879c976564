#pragma once
#include <functional>
#include <string>

#include "platform/IClipboard.h"
#include "platform/IContextMenus.h"
#include "platform/IDialogs.h"
#include "platform/IFileDialogs.h"
#include "platform/IFontChooser.h"
#include "platform/IMessages.h"
#include "platform/ISettings.h"
#include "platform/IStatus.h"
#include "platform/IWindowManager.h"

namespace kv {

// The services the core needs of the desktop platform, gathered in one place.
// The desktop program, the command-line front end and the tests each install
// their own implementation with SetPlatform; until then a headless one answers
// (messages go to standard error, questions are answered No, dialogs Cancel).
class CPlatform {
public:
    CPlatform(IMessages& messages, IDialogs& dialogs, IStatus& status, IFileDialogs& files,
              IClipboard& clipboard, ISettings& settings);

    IMessages& Messages() const { return *m_pMessages; }
    IDialogs& Dialogs() const { return *m_pDialogs; }
    IStatus& Status() const { return *m_pStatus; }
    IFileDialogs& Files() const { return *m_pFiles; }
    IClipboard& Clipboard() const { return *m_pClipboard; }
    ISettings& Settings() const { return *m_pSettings; }
    IWindowManager& Windows() const;
    void SetWindows(IWindowManager* windows) { m_pWindows = windows; }
    // The font chooser dialog (a headless one cancels).
    IFontChooser& FontChooser() const;
    void SetFontChooser(IFontChooser* chooser) { m_pFontChooser = chooser; }
    // Context menus (a headless one shows nothing).
    IContextMenus& ContextMenus() const;
    void SetContextMenus(IContextMenus* menus) { m_pContextMenus = menus; }

private:
    IMessages* m_pMessages;
    IDialogs* m_pDialogs;
    IStatus* m_pStatus;
    IFileDialogs* m_pFiles;
    IClipboard* m_pClipboard;
    ISettings* m_pSettings;
    IWindowManager* m_pWindows = nullptr;
    IFontChooser* m_pFontChooser = nullptr;
    IContextMenus* m_pContextMenus = nullptr;
};

// The installed platform.
CPlatform& Platform();
// Installs a platform (nullptr restores the headless one); returns the previous one.
CPlatform* SetPlatform(CPlatform* platform);

// Shorthands used all over the core.
void ErrorBox(const std::string& text);                 // error icon, OK
void WarningBox(const std::string& text);               // warning icon, OK
void InfoBox(const std::string& text);                  // information icon, OK
bool AskYesNo(const std::string& text, MsgIcon icon = MsgIcon::Question);  // true for Yes
void SetStatusText(const std::string& text);
bool RunDialog(CDialogModel& model);                    // true for OK
bool RunPropertySheet(CPropertySheetModel& sheet);      // true for OK
// Runs a command; an allocation that cannot be made abandons it and is
// reported as insufficient memory, and a command the user stopped
// (COperationCancelled) ends quietly. Returns false in those cases.
bool RunGuarded(const std::function<void()>& command);

// Shows a text in the status bar with the wait cursor; the cursor returns to
// normal when the object goes out of scope.
class CWaitCursor {
public:
    CWaitCursor();
    explicit CWaitCursor(const std::string& statusText);
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

}  // namespace kv

#pragma once
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/CDialogModel.h"
#include "platform/CPlatform.h"
#include "platform/CPropertySheetModel.h"

namespace kv::test {

// A test double of the platform: records every message box, dialog, status
// text, file dialog and clipboard use, and answers them from scripts given
// by the test. It installs itself for its lifetime.
class CScriptedPlatform : public IMessages,
                          public IDialogs,
                          public IStatus,
                          public IFileDialogs,
                          public IClipboard,
                          public ISettings {
public:
    struct Message {
        std::string text;
        MsgIcon icon;
        MsgButtons buttons;
        MsgAnswer answer;
    };
    struct FileRequest {
        bool save;
        std::string title;
        std::string filter;
        std::string initialPath;
    };
    using DialogScript = std::function<void(CDialogModel&)>;

    CScriptedPlatform();
    ~CScriptedPlatform() override;
    CScriptedPlatform(const CScriptedPlatform&) = delete;
    CScriptedPlatform& operator=(const CScriptedPlatform&) = delete;

    // ---- message boxes ------------------------------------------------------
    // Answers for the next message boxes, in order. Without one, an OK box
    // is answered OK and a question No (and counted as unanswered).
    void Answer(MsgAnswer answer) { m_answers.push_back(answer); }
    void AnswerYes() { Answer(MsgAnswer::Yes); }
    void AnswerNo() { Answer(MsgAnswer::No); }
    std::vector<Message> messages;
    int unansweredQuestions = 0;
    // Texts of all message boxes shown so far.
    std::vector<std::string> MessageTexts() const;
    bool SawMessage(const std::string& text) const;

    // ---- dialogs ---------------------------------------------------------------
    // Scripts for the next dialogs, in order. A script works the model with
    // its Simulate* calls; if the dialog has not ended when the script
    // returns, that counts as a fault and the dialog is cancelled. A dialog
    // without a script is cancelled and counted.
    void OnDialog(DialogScript script) { m_dialogScripts.push_back(std::move(script)); }
    template <class T>
    void OnDialog(std::function<void(T&)> script) {
        m_dialogScripts.push_back([script](CDialogModel& model) {
            T* typed = dynamic_cast<T*>(&model);
            if (!typed) {
                ADD_FAILURE() << "dialog \"" << model.m_strTitle << "\" is not a " << typeid(T).name();
                return;
            }
            script(*typed);
        });
    }
    void AcceptDialog() {
        OnDialog([](CDialogModel& d) { d.SimulateClick(IDOK); });
    }
    void CancelDialog() {
        OnDialog([](CDialogModel& d) { d.SimulateClick(IDCANCEL); });
    }
    // Scripts for the next property sheets, in order; the same rules as dialogs.
    using SheetScript = std::function<void(CPropertySheetModel&)>;
    void OnPropertySheet(SheetScript script) { m_sheetScripts.push_back(std::move(script)); }
    std::vector<std::string> dialogTitles;  // title of every dialog and property sheet shown
    int unscriptedDialogs = 0;
    int unfinishedDialogs = 0;
    size_t PendingDialogScripts() const { return m_dialogScripts.size(); }

    // ---- status bar and wait cursor -------------------------------------------
    std::vector<std::string> statusTexts;
    int waitCursorDepth = 0;
    int waitCursorCount = 0;
    // Progress shown: text and percentage of each update; the user asks to
    // stop at update number stopAtProgress (counted from 1; 0: never).
    std::vector<std::pair<std::string, int>> progress;
    int progressEnds = 0;
    int stopAtProgress = 0;

    // ---- file dialogs ------------------------------------------------------------
    void AnswerOpenFile(std::optional<std::string> path) { m_openAnswers.push_back(std::move(path)); }
    void AnswerSaveFile(std::optional<std::string> path) { m_saveAnswers.push_back(std::move(path)); }
    std::vector<FileRequest> fileRequests;

    // ---- clipboard ----------------------------------------------------------------
    bool clipboardAvailable = true;
    std::string clipboardText;
    std::string clipboardPng;
    std::string clipboardSvg;

    // ---- settings -------------------------------------------------------------------
    std::map<std::pair<std::string, std::string>, int> intSettings;
    std::map<std::pair<std::string, std::string>, std::string> stringSettings;

    // ---- interfaces ---------------------------------------------------------------
    MsgAnswer ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
    bool RunModal(CDialogModel& model) override;
    bool RunPropertySheet(CPropertySheetModel& sheet) override;
    void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void BeginWaitCursor() override {
        ++waitCursorDepth;
        ++waitCursorCount;
    }
    void EndWaitCursor() override { --waitCursorDepth; }
    bool ShowProgress(const std::string& text, int percent) override {
        progress.emplace_back(text, percent);
        return stopAtProgress > 0 && static_cast<int>(progress.size()) >= stopAtProgress;
    }
    void EndProgress() override { ++progressEnds; }
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

    CPlatform& Platform() { return m_platform; }

private:
    std::deque<MsgAnswer> m_answers;
    std::deque<DialogScript> m_dialogScripts;
    std::deque<SheetScript> m_sheetScripts;
    std::deque<std::optional<std::string>> m_openAnswers;
    std::deque<std::optional<std::string>> m_saveAnswers;
    CPlatform m_platform;
    CPlatform* m_pPrevious;
};

}  // namespace kv::test

#pragma once
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

#include "platform/CDialogModel.h"
#include "platform/CPlatform.h"
#include "platform/CPropertySheetModel.h"

namespace kv {

// The platform of the command-line front end. Nothing is interactive:
// - every message box is written to standard error as text; questions get
//   the answer set for their text, else Yes with --yes and No without;
// - a dialog takes the next answer queued for its class: a function that
//   works the dialog's controls the way a user would (SimulateText,
//   SimulateSelect, SimulateClick) and presses OK, so the dialog's own field
//   rules and checks run. A dialog that refuses its answer (it stays open or
//   ends with Cancel) is cancelled and recorded as refused. A dialog without
//   an answer is cancelled, unless unexpected dialogs are to be accepted
//   with the values they hold;
// - dialogs that only report (OK alone) are printed to the report stream;
// - file dialogs take queued paths, or are cancelled;
// - there is no clipboard, no window, no persistent setting.
class CCliPlatform : public IMessages,
                     public IDialogs,
                     public IStatus,
                     public IFileDialogs,
                     public IClipboard,
                     public ISettings,
                     public IWindowManager {
public:
    using DialogAnswer = std::function<void(CDialogModel&)>;
    using SheetAnswer = std::function<void(CPropertySheetModel&)>;

    // Installs itself as the program's platform for its lifetime.
    explicit CCliPlatform(std::FILE* messages = stderr, std::FILE* reports = stdout);
    ~CCliPlatform() override;
    CCliPlatform(const CCliPlatform&) = delete;
    CCliPlatform& operator=(const CCliPlatform&) = delete;

    // ---- configuration -------------------------------------------------------
    void SetAssumeYes(bool yes) { m_bAssumeYes = yes; }
    void SetVerbose(bool verbose) { m_bVerbose = verbose; }
    // The progress line of long operations on the message stream: shown when
    // that stream is a terminal (Auto), always, or never.
    enum class ProgressLine { Auto, Always, Never };
    void SetProgressLine(ProgressLine mode);
    // Dialogs without an answer are accepted with their current values
    // (each dialog object a few times at most) instead of cancelled.
    void SetAcceptUnexpected(bool accept) { m_bAcceptUnexpected = accept; }
    // The answer to a question of exactly this text (wins over --yes).
    void AnswerQuestion(const std::string& text, bool yes) { m_questionAnswers[text] = yes; }

    // Queues the answer for the next dialog of a class.
    void Expect(std::type_index type, DialogAnswer answer) { m_answers[type].push_back(std::move(answer)); }
    template <class T>
    void Expect(std::function<void(T&)> answer) {
        Expect(typeid(T), [answer](CDialogModel& model) { answer(static_cast<T&>(model)); });
    }
    // Queues an answer that accepts the next dialog of a class as it stands.
    template <class T>
    void ExpectAccept() {
        Expect(typeid(T), [](CDialogModel& model) { model.SimulateClick(IDOK); });
    }
    bool HasAnswer(std::type_index type) const;
    void ExpectSheet(SheetAnswer answer) { m_sheetAnswers.push_back(std::move(answer)); }
    // Queues the answer of a file dialog; first: before the others queued.
    void ExpectSaveFile(const std::string& path, bool first = false) {
        first ? m_saveFiles.push_front(path) : m_saveFiles.push_back(path);
    }
    void ExpectOpenFile(const std::string& path, bool first = false) {
        first ? m_openFiles.push_front(path) : m_openFiles.push_back(path);
    }
    size_t PendingSaveFiles() const { return m_saveFiles.size(); }
    // Forgets every queued answer.
    void ClearAnswers();
    // Forgets that a dialog object was answered: when it comes back, it is
    // an unexpected dialog (cancelled) rather than one refusing its values.
    void ForgetAnswered(const CDialogModel& model) { m_answered.erase(&model); }

    // ---- what happened -------------------------------------------------------
    // A dialog refused its answer; the title of the first one.
    bool Refused() const { return !m_strRefused.empty(); }
    const std::string& RefusedDialog() const { return m_strRefused; }
    void ClearRefused() { m_strRefused.clear(); }
    // Number of error message boxes shown.
    int ErrorCount() const { return m_nErrors; }
    // Texts of every message box shown, in order.
    const std::vector<std::string>& MessageTexts() const { return m_messages; }

    // Writes a reporting dialog (title, then one line per labelled value).
    static void PrintReport(const CDialogModel& model, std::FILE* out);

    // ---- interfaces ------------------------------------------------------------
    MsgAnswer ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
    bool RunModal(CDialogModel& model) override;
    bool RunPropertySheet(CPropertySheetModel& sheet) override;
    void SetStatusText(const std::string& text) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    bool ShowProgress(const std::string& text, int percent) override;
    void EndProgress() override;
    std::optional<std::string> GetOpenFileName(const std::string& title, const std::string& filter,
                                               const std::string& initialPath) override;
    std::optional<std::string> GetSaveFileName(const std::string& title, const std::string& filter,
                                               const std::string& initialPath) override;
    bool SetText(const std::string&) override { return false; }
    bool SetPicture(const std::string&, const std::string&) override { return false; }
    int GetInt(const std::string& section, const std::string& key, int defaultValue) override;
    void SetInt(const std::string& section, const std::string& key, int value) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;
    void SetString(const std::string& section, const std::string& key, const std::string& value) override;
    CView* CreatePlotView(CKalvoraDoc&) override { return nullptr; }
    CView* CreateListView(CKalvoraDoc&) override { return nullptr; }
    void ActivateView(CView&) override {}
    void MaximizeView(CView&) override {}
    void CloseDocument(CKalvoraDoc&) override {}

    // Dialogs shown in one program run at most; later ones are cancelled, so
    // that no sequence of refusals can keep the program going round.
    static constexpr int kMaxDialogs = 1000;
    // Times the same dialog object is accepted unanswered.
    static constexpr int kMaxAcceptsPerDialog = 4;

private:
    void Refuse(const std::string& title);
    // Takes the progress line off the terminal before other output.
    void ClearProgressLine();

    std::FILE* m_pMessages;
    std::FILE* m_pReports;
    bool m_bAssumeYes = false;
    bool m_bVerbose = false;
    bool m_bProgressLine = false;
    size_t m_nProgressWidth = 0;  // characters of the progress line now shown (0: none)
    bool m_bAcceptUnexpected = false;
    std::map<std::string, bool> m_questionAnswers;
    std::map<std::type_index, std::deque<DialogAnswer>> m_answers;
    std::deque<SheetAnswer> m_sheetAnswers;
    std::deque<std::string> m_saveFiles;
    std::deque<std::string> m_openFiles;
    std::map<const void*, int> m_accepts;
    std::set<const void*> m_answered;
    int m_nDialogs = 0;
    std::string m_strRefused;
    int m_nErrors = 0;
    std::vector<std::string> m_messages;
    std::map<std::pair<std::string, std::string>, int> m_ints;
    std::map<std::pair<std::string, std::string>, std::string> m_strings;
    CPlatform m_platform;
    CPlatform* m_pPrevious;
};

}  // namespace kv

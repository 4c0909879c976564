#include "cli/CCliPlatform.h"

#include <algorithm>
#include <typeinfo>
#include <unistd.h>

namespace kv {

namespace {

const char* IconPrefix(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Error: return "error: ";
        case MsgIcon::Warning:
        case MsgIcon::Exclamation: return "warning: ";
        default: return "";
    }
}

}  // namespace

CCliPlatform::CCliPlatform(std::FILE* messages, std::FILE* reports)
    : m_pMessages(messages),
      m_pReports(reports),
      m_platform(*this, *this, *this, *this, *this, *this),
      m_pPrevious(SetPlatform(&m_platform)) {
    m_platform.SetWindows(this);
}

CCliPlatform::~CCliPlatform() { SetPlatform(m_pPrevious); }

bool CCliPlatform::HasAnswer(std::type_index type) const {
    auto it = m_answers.find(type);
    return it != m_answers.end() && !it->second.empty();
}

void CCliPlatform::ClearAnswers() {
    m_answers.clear();
    m_sheetAnswers.clear();
    m_saveFiles.clear();
    m_openFiles.clear();
}

void CCliPlatform::Refuse(const std::string& title) {
    if (!m_strRefused.empty()) return;  // the first refusal is the one that says why
    m_strRefused = title.empty() ? std::string("(untitled)") : title;
    std::fprintf(m_pMessages, "kalvora-cli: the values given were refused by \"%s\"\n", m_strRefused.c_str());
}

void CCliPlatform::SetProgressLine(ProgressLine mode) {
    m_bProgressLine = mode == ProgressLine::Always || (mode == ProgressLine::Auto && isatty(fileno(m_pMessages)));
}

bool CCliPlatform::ShowProgress(const std::string& text, int percent) {
    if (!m_bProgressLine) return false;
    // One line, rewritten in place: the text, the percentage, and spaces over
    // whatever a longer earlier line left.
    std::string line = text + " " + std::to_string(percent) + "%";
    const size_t width = line.size();
    if (width < m_nProgressWidth) line.append(m_nProgressWidth - width, ' ');
    std::fprintf(m_pMessages, "\r%s", line.c_str());
    std::fflush(m_pMessages);
    m_nProgressWidth = std::max(width, m_nProgressWidth);
    return false;
}

void CCliPlatform::EndProgress() { ClearProgressLine(); }

void CCliPlatform::ClearProgressLine() {
    if (m_nProgressWidth == 0) return;
    std::fprintf(m_pMessages, "\r%s\r", std::string(m_nProgressWidth, ' ').c_str());
    std::fflush(m_pMessages);
    m_nProgressWidth = 0;
}

MsgAnswer CCliPlatform::ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons) {
    ClearProgressLine();
    m_messages.push_back(text);
    if (icon == MsgIcon::Error) ++m_nErrors;
    MsgAnswer answer = MsgAnswer::Ok;
    const char* shown = nullptr;
    if (buttons != MsgButtons::Ok) {
        auto it = m_questionAnswers.find(text);
        const bool yes = it != m_questionAnswers.end() ? it->second : m_bAssumeYes;
        if (buttons == MsgButtons::OkCancel) {
            answer = yes ? MsgAnswer::Ok : MsgAnswer::Cancel;
            shown = yes ? "OK" : "Cancel";
        } else {
            answer = yes ? MsgAnswer::Yes : MsgAnswer::No;
            shown = yes ? "Yes" : "No";
        }
    }
    std::fprintf(m_pMessages, "kalvora-cli: %s%s", IconPrefix(icon), text.c_str());
    if (shown) std::fprintf(m_pMessages, " [%s]", shown);
    std::fputc('\n', m_pMessages);
    std::fflush(m_pMessages);
    return answer;
}

void CCliPlatform::PrintReport(const CDialogModel& model, std::FILE* out) {
    if (!model.m_strTitle.empty()) std::fprintf(out, "%s\n", model.m_strTitle.c_str());
    for (const CControl& c : model.Controls()) {
        if (!c.m_bVisible) continue;
        std::string value;
        if (c.m_kind == ControlKind::Edit || c.m_kind == ControlKind::ComboBox)
            value = c.m_strText;
        else if (c.m_kind == ControlKind::Static)
            value = c.m_strCaption;
        else
            continue;
        std::string label = c.m_strLabel;
        if (!label.empty() && label.back() != ':') label += ':';
        if (label.empty())
            std::fprintf(out, "  %s\n", value.c_str());
        else
            std::fprintf(out, "  %-17s %s\n", label.c_str(), value.c_str());
    }
    std::fflush(out);
}

bool CCliPlatform::RunModal(CDialogModel& model) {
    model.BeginModal();
    if (++m_nDialogs > kMaxDialogs) {
        model.EndDialog(IDCANCEL);
        Refuse(model.m_strTitle);
        return false;
    }
    if (model.m_bOkOnly) {
        PrintReport(model, m_pReports);
        model.SimulateClick(IDOK);
        if (!model.IsEnded()) model.EndDialog(IDOK);
        return model.Result() == IDOK;
    }
    auto it = m_answers.find(typeid(model));
    if (it != m_answers.end() && !it->second.empty()) {
        DialogAnswer answer = std::move(it->second.front());
        it->second.pop_front();
        answer(model);
        if (!model.IsEnded()) model.EndDialog(IDCANCEL);
        m_answered.insert(&model);
        if (model.Result() != IDOK) {
            Refuse(model.m_strTitle);
            return false;
        }
        return true;
    }
    // A dialog that comes back after its answer was taken: a check after OK
    // refused the values (its message says why).
    if (m_answered.count(&model)) {
        model.EndDialog(IDCANCEL);
        Refuse(model.m_strTitle);
        return false;
    }
    if (m_bAcceptUnexpected && ++m_accepts[&model] <= kMaxAcceptsPerDialog) {
        if (m_bVerbose) std::fprintf(m_pMessages, "kalvora-cli: \"%s\" accepted\n", model.m_strTitle.c_str());
        model.SimulateClick(IDOK);
        if (!model.IsEnded()) model.EndDialog(IDCANCEL);
        if (model.Result() != IDOK) {
            Refuse(model.m_strTitle);
            return false;
        }
        return true;
    }
    if (m_bVerbose) std::fprintf(m_pMessages, "kalvora-cli: \"%s\" cancelled\n", model.m_strTitle.c_str());
    model.EndDialog(IDCANCEL);
    return false;
}

bool CCliPlatform::RunPropertySheet(CPropertySheetModel& sheet) {
    sheet.BeginModal();
    if (++m_nDialogs > kMaxDialogs || m_sheetAnswers.empty()) {
        if (m_bVerbose) std::fprintf(m_pMessages, "kalvora-cli: \"%s\" cancelled\n", sheet.m_strTitle.c_str());
        sheet.PressCancel();
        return false;
    }
    SheetAnswer answer = std::move(m_sheetAnswers.front());
    m_sheetAnswers.pop_front();
    answer(sheet);
    if (!sheet.IsEnded()) sheet.PressCancel();
    if (sheet.Result() != IDOK) {
        std::string title = sheet.m_strTitle;
        if (sheet.ActivePage() >= 0 && sheet.ActivePage() < static_cast<int>(sheet.Pages().size()))
            title += " / " + sheet.Page(sheet.ActivePage()).m_strTitle;
        Refuse(title);
        return false;
    }
    return true;
}

void CCliPlatform::SetStatusText(const std::string& text) {
    if (m_bVerbose && !text.empty()) ClearProgressLine();
    if (m_bVerbose && !text.empty()) std::fprintf(m_pMessages, "kalvora-cli: [%s]\n", text.c_str());
}

std::optional<std::string> CCliPlatform::GetOpenFileName(const std::string&, const std::string&,
                                                         const std::string&) {
    if (m_openFiles.empty()) return std::nullopt;
    std::string path = m_openFiles.front();
    m_openFiles.pop_front();
    return path;
}

std::optional<std::string> CCliPlatform::GetSaveFileName(const std::string&, const std::string&,
                                                         const std::string&) {
    if (m_saveFiles.empty()) return std::nullopt;
    std::string path = m_saveFiles.front();
    m_saveFiles.pop_front();
    return path;
}

int CCliPlatform::GetInt(const std::string& section, const std::string& key, int defaultValue) {
    auto it = m_ints.find({section, key});
    return it == m_ints.end() ? defaultValue : it->second;
}

void CCliPlatform::SetInt(const std::string& section, const std::string& key, int value) {
    m_ints[{section, key}] = value;
}

std::string CCliPlatform::GetString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) {
    auto it = m_strings.find({section, key});
    return it == m_strings.end() ? defaultValue : it->second;
}

void CCliPlatform::SetString(const std::string& section, const std::string& key, const std::string& value) {
    m_strings[{section, key}] = value;
}

}  // namespace kv

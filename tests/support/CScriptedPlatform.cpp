#include "support/CScriptedPlatform.h"

#include <algorithm>

namespace kv::test {

CScriptedPlatform::CScriptedPlatform()
    : m_platform(*this, *this, *this, *this, *this, *this), m_pPrevious(SetPlatform(&m_platform)) {}

CScriptedPlatform::~CScriptedPlatform() { SetPlatform(m_pPrevious); }

std::vector<std::string> CScriptedPlatform::MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages) texts.push_back(m.text);
    return texts;
}

bool CScriptedPlatform::SawMessage(const std::string& text) const {
    return std::any_of(messages.begin(), messages.end(), [&](const Message& m) { return m.text == text; });
}

MsgAnswer CScriptedPlatform::ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons) {
    MsgAnswer answer;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    } else if (buttons == MsgButtons::Ok) {
        answer = MsgAnswer::Ok;
    } else {
        ++unansweredQuestions;
        answer = buttons == MsgButtons::OkCancel ? MsgAnswer::Cancel : MsgAnswer::No;
    }
    messages.push_back({text, icon, buttons, answer});
    return answer;
}

bool CScriptedPlatform::RunModal(CDialogModel& model) {
    dialogTitles.push_back(model.m_strTitle);
    model.BeginModal();
    if (m_dialogScripts.empty()) {
        ++unscriptedDialogs;
        model.EndDialog(IDCANCEL);
        return false;
    }
    DialogScript script = std::move(m_dialogScripts.front());
    m_dialogScripts.pop_front();
    script(model);
    if (!model.IsEnded()) {
        ++unfinishedDialogs;
        model.EndDialog(IDCANCEL);
    }
    return model.Result() == IDOK;
}

bool CScriptedPlatform::RunPropertySheet(CPropertySheetModel& sheet) {
    dialogTitles.push_back(sheet.m_strTitle);
    sheet.BeginModal();
    if (m_sheetScripts.empty()) {
        ++unscriptedDialogs;
        sheet.PressCancel();
        return false;
    }
    SheetScript script = std::move(m_sheetScripts.front());
    m_sheetScripts.pop_front();
    script(sheet);
    if (!sheet.IsEnded()) {
        ++unfinishedDialogs;
        sheet.PressCancel();
    }
    return sheet.Result() == IDOK;
}

std::optional<std::string> CScriptedPlatform::GetOpenFileName(const std::string& title, const std::string& filter,
                                                              const std::string& initialPath) {
    fileRequests.push_back({false, title, filter, initialPath});
    if (m_openAnswers.empty()) return std::nullopt;
    auto answer = m_openAnswers.front();
    m_openAnswers.pop_front();
    return answer;
}

std::optional<std::string> CScriptedPlatform::GetSaveFileName(const std::string& title, const std::string& filter,
                                                              const std::string& initialPath) {
    fileRequests.push_back({true, title, filter, initialPath});
    if (m_saveAnswers.empty()) return std::nullopt;
    auto answer = m_saveAnswers.front();
    m_saveAnswers.pop_front();
    return answer;
}

bool CScriptedPlatform::SetText(const std::string& text) {
    if (!clipboardAvailable) return false;
    clipboardText = text;
    return true;
}

bool CScriptedPlatform::SetPicture(const std::string& pngBytes, const std::string& svgText) {
    if (!clipboardAvailable) return false;
    clipboardPng = pngBytes;
    clipboardSvg = svgText;
    return true;
}

int CScriptedPlatform::GetInt(const std::string& section, const std::string& key, int defaultValue) {
    auto it = intSettings.find({section, key});
    return it == intSettings.end() ? defaultValue : it->second;
}

void CScriptedPlatform::SetInt(const std::string& section, const std::string& key, int value) {
    intSettings[{section, key}] = value;
}

std::string CScriptedPlatform::GetString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) {
    auto it = stringSettings.find({section, key});
    return it == stringSettings.end() ? defaultValue : it->second;
}

void CScriptedPlatform::SetString(const std::string& section, const std::string& key, const std::string& value) {
    stringSettings[{section, key}] = value;
}

}  // namespace kv::test

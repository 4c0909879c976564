#pragma once
// A platform for the benchmark programs: no windows, no files chosen, no
// clipboard, default settings. Questions are answered Yes (OK for a
// message); dialogs are either pressed OK or cancelled. It is installed for
// the life of the object.
#include <cstdio>
#include <optional>
#include <string>

#include "platform/CDialogModel.h"
#include "platform/CPlatform.h"
#include "platform/CPropertySheetModel.h"

namespace bench {

class CBenchPlatform : public kv::IMessages,
                       public kv::IDialogs,
                       public kv::IStatus,
                       public kv::IFileDialogs,
                       public kv::IClipboard,
                       public kv::ISettings {
public:
    enum class Dialogs { Cancel, PressOk };

    // printMessages: messages go to standard error as they are answered.
    CBenchPlatform(Dialogs dialogs, bool printMessages)
        : m_dialogs(dialogs), m_bPrintMessages(printMessages), m_platform(*this, *this, *this, *this, *this, *this) {
        kv::SetPlatform(&m_platform);
    }
    ~CBenchPlatform() override { kv::SetPlatform(nullptr); }
    CBenchPlatform(const CBenchPlatform&) = delete;
    CBenchPlatform& operator=(const CBenchPlatform&) = delete;

    kv::MsgAnswer ShowMessage(const std::string& text, kv::MsgIcon, kv::MsgButtons b) override {
        if (m_bPrintMessages) std::fprintf(stderr, "message: %s\n", text.c_str());
        return b == kv::MsgButtons::Ok ? kv::MsgAnswer::Ok : kv::MsgAnswer::Yes;
    }
    bool RunModal(kv::CDialogModel& model) override {
        if (m_dialogs == Dialogs::Cancel) return false;
        model.BeginModal();
        model.SimulateClick(kv::IDOK);
        return model.Result() == kv::IDOK;
    }
    bool RunPropertySheet(kv::CPropertySheetModel& sheet) override {
        if (m_dialogs == Dialogs::Cancel) return false;
        sheet.BeginModal();
        sheet.PressOK();
        return sheet.IsEnded();
    }
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::optional<std::string> GetOpenFileName(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> GetSaveFileName(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    bool SetText(const std::string&) override { return false; }
    bool SetPicture(const std::string&, const std::string&) override { return false; }
    int GetInt(const std::string&, const std::string&, int d) override { return d; }
    void SetInt(const std::string&, const std::string&, int) override {}
    std::string GetString(const std::string&, const std::string&, const std::string& d) override { return d; }
    void SetString(const std::string&, const std::string&, const std::string&) override {}

private:
    Dialogs m_dialogs;
    bool m_bPrintMessages;
    kv::CPlatform m_platform;
};

}  // namespace bench

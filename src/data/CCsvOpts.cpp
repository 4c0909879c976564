#include "data/CCsvOpts.h"

#include <limits>

#include "platform/StringTable.h"

namespace kv {

CCsvOpts::CCsvOpts() : CDialogModel(LoadString(IDS_CSV_TITLE)) {}

void CCsvOpts::CreateControls() { AddEdit(IDC_COLUMNS, LoadString(IDS_CSV_COLUMNS)); }

void CCsvOpts::DoDataExchange(CDataExchange& dx) {
    std::string text = m_strColumns;
    dx.Text(IDC_COLUMNS, text);
    if (!dx.Saving()) return;
    int32_t first, second;
    int count;
    if (!ParseColumns(text, first, second, count)) dx.Fail(LoadString(IDS_CSV_COLUMNS_BAD));
    m_strColumns = text;
}

bool CCsvOpts::ParseColumns(const std::string& text, int32_t& first, int32_t& second, int& count) {
    first = 0;
    second = 1;
    count = 0;
    int32_t numbers[2] = {0, 0};
    size_t i = 0;
    auto skipSpaces = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    };
    skipSpaces();
    if (i == text.size()) return true;  // empty: the defaults
    for (;;) {
        if (count == 2) return false;
        skipSpaces();
        int64_t n = 0;
        size_t digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            n = n * 10 + (text[i] - '0');
            if (n > std::numeric_limits<int32_t>::max()) return false;
            ++i;
            ++digits;
        }
        if (digits == 0 || n < 1) return false;
        numbers[count++] = static_cast<int32_t>(n - 1);
        skipSpaces();
        if (i == text.size()) break;
        if (text[i] != ',') return false;
        ++i;
    }
    first = numbers[0];
    second = count == 2 ? numbers[1] : -1;
    return true;
}

}  // namespace kv

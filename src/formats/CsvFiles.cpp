#include "formats/CsvFiles.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "data/CDataColumn.h"
#include "data/CCsvOpts.h"
#include "formats/CFileReader.h"
#include "formats/NumberText.h"
#include "formats/SampleFrames.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

constexpr int32_t kMaxColumnLength = std::numeric_limits<int32_t>::max();

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p, const char* e) {
    while (p < e && IsBlank(*p)) ++p;
    return p;
}

// Blanks around a value: spaces, and tabs unless they separate the values.
const char* SkipPadding(const char* p, const char* e, char sep) {
    while (p < e && (*p == ' ' || (*p == '\t' && sep != '\t'))) ++p;
    return p;
}

// The separator of a line: ";" when it holds one, then a tab, then ",",
// otherwise runs of spaces (written as ' ').
char DetectSeparator(const char* b, const char* e) {
    const size_t n = static_cast<size_t>(e - b);
    if (std::memchr(b, ';', n)) return ';';
    if (std::memchr(b, '\t', n)) return '\t';
    if (std::memchr(b, ',', n)) return ',';
    return ' ';
}

// The fields of one line, read one after the other.
class CFieldCursor {
public:
    CFieldCursor(const char* b, const char* e, char separator) : m_p(b), m_e(e), m_sep(separator) {}

    // Moves over the next field without reading it; false when the line has
    // no more fields.
    bool Skip() {
        if (m_done) return false;
        const char* p = m_sep == ' ' ? SkipPadding(m_p, m_e, m_sep) : m_p;
        if (m_sep == ' ' && p == m_e) return m_done = true, false;
        if (p < m_e && *p == '"') p = EndOfQuote(p);
        if (m_sep == ' ') {
            while (p < m_e && !IsBlank(*p)) ++p;
        } else {
            const void* s = std::memchr(p, m_sep, static_cast<size_t>(m_e - p));
            p = s ? static_cast<const char*>(s) : m_e;
        }
        Advance(p);
        return true;
    }

    // Reads the next field as a number. Returns 1 for a number, 0 for a
    // field that is not one, -1 when the line has no more fields.
    int Number(double& value) {
        if (m_done) return -1;
        const char* p = SkipPadding(m_p, m_e, m_sep);
        if (m_sep == ' ' && p == m_e) {
            m_done = true;
            return -1;
        }
        const char* fieldEnd;
        int result = 0;
        if (p < m_e && *p == '"') {
            const char* close = EndOfQuote(p);
            const char* inner = close > p + 1 && close[-1] == '"' ? close - 1 : close;
            result = Parse(p + 1, inner, value) ? 1 : 0;
            fieldEnd = close;
            if (m_sep != ' ') {
                const void* s = std::memchr(close, m_sep, static_cast<size_t>(m_e - close));
                if (s && SkipPadding(close, static_cast<const char*>(s), m_sep) != s) result = 0;
                fieldEnd = s ? static_cast<const char*>(s) : m_e;
                if (!s && SkipPadding(close, m_e, m_sep) != m_e) result = 0;
            }
        } else if (m_sep == ';') {
            // A decimal comma reads as a point.
            const void* s = std::memchr(p, ';', static_cast<size_t>(m_e - p));
            fieldEnd = s ? static_cast<const char*>(s) : m_e;
            result = ParseDecimalComma(p, fieldEnd, value) ? 1 : 0;
        } else {
            const char* q = p < m_e ? ScanDouble(p, m_e, value) : nullptr;
            if (q) {
                const char* after = SkipPadding(q, m_e, m_sep);
                if (m_sep == ' ') {
                    if (q == m_e || IsBlank(*q)) result = 1;
                    fieldEnd = q;
                    while (fieldEnd < m_e && !IsBlank(*fieldEnd)) ++fieldEnd;
                } else if (after == m_e || *after == m_sep) {
                    result = 1;
                    fieldEnd = after;
                } else {
                    const void* s = std::memchr(after, m_sep, static_cast<size_t>(m_e - after));
                    fieldEnd = s ? static_cast<const char*>(s) : m_e;
                }
            } else if (m_sep == ' ') {
                fieldEnd = p;
                while (fieldEnd < m_e && !IsBlank(*fieldEnd)) ++fieldEnd;
            } else {
                const void* s = std::memchr(p, m_sep, static_cast<size_t>(m_e - p));
                fieldEnd = s ? static_cast<const char*>(s) : m_e;
            }
        }
        Advance(fieldEnd);
        return result;
    }

private:
    // After a field that ends at p: past its separator, or done at the end.
    void Advance(const char* p) {
        if (p >= m_e) {
            m_done = true;
            m_p = m_e;
        } else {
            m_p = p + 1;
        }
    }

    // The end of a quoted text that starts at p ("" inside stands for one
    // quote): just after its closing quote, or the end of the line.
    const char* EndOfQuote(const char* p) const {
        ++p;
        while (p < m_e) {
            if (*p == '"') {
                if (p + 1 < m_e && p[1] == '"') {
                    p += 2;
                    continue;
                }
                return p + 1;
            }
            ++p;
        }
        return m_e;
    }

    static bool Parse(const char* b, const char* e, double& value) {
        b = SkipBlanks(b, e);
        while (e > b && IsBlank(e[-1])) --e;
        if (b == e) return false;
        return ScanDouble(b, e, value) == e;
    }

    static bool ParseDecimalComma(const char* b, const char* e, double& value) {
        b = SkipBlanks(b, e);
        while (e > b && IsBlank(e[-1])) --e;
        const size_t n = static_cast<size_t>(e - b);
        if (n == 0 || n > 1024) return n != 0 && Parse(b, e, value);
        char buffer[1024];
        for (size_t i = 0; i < n; ++i) buffer[i] = b[i] == ',' ? '.' : b[i];
        return ScanDouble(buffer, buffer + n, value) == buffer + n;
    }

    const char* m_p;
    const char* m_e;
    char m_sep;
    bool m_done = false;
};

// Reads the chosen columns of one line: the number of values obtained (0 to
// `wanted`), and, for a line that falls short, which column and why.
int ReadColumns(const char* b, const char* e, char sep, const int32_t* columns, int wanted, double* values,
                int32_t& failedColumn, bool& missing) {
    CFieldCursor cursor(b, e, sep);
    int32_t at = 0;
    for (int k = 0; k < wanted; ++k) {
        const int32_t column = columns[k];
        if (column < at) {  // a column before the previous one: read the line again
            cursor = CFieldCursor(b, e, sep);
            at = 0;
        }
        for (; at < column; ++at) {
            if (!cursor.Skip()) {
                failedColumn = column;
                missing = true;
                return k;
            }
        }
        int r = cursor.Number(values[k]);
        ++at;
        if (r != 1) {
            failedColumn = column;
            missing = r < 0;
            return k;
        }
    }
    return wanted;
}

// Appends with room made in large steps (the column's own step is small).
class CAppender {
public:
    CAppender(CDataColumn& c, int64_t hint) : m_c(c), m_nHint(hint) {}
    bool Add(double v) {
        const int32_t size = m_c.GetSize();
        if (size >= m_c.GetMaxSize() && size > 0) {
            if (size >= kMaxColumnLength) return false;
            int64_t want = std::max<int64_t>(m_nHint, static_cast<int64_t>(size) + std::max<int32_t>(size / 2, 4096));
            want = std::min<int64_t>(want, kMaxColumnLength);
            m_c.SetSize(static_cast<int32_t>(want));
            m_c.SetSize(size);
        }
        m_c.Append(v);
        return true;
    }
    void Hint(int64_t hint) { m_nHint = hint; }

private:
    CDataColumn& m_c;
    int64_t m_nHint;
};

bool Fail(const std::string& path, const std::string& reason, CDataColumn& ci, CDataColumn* cq) {
    ci.SetSize(0);
    if (cq) cq->SetSize(0);
    ErrorBox(FormatString(IDS_CANNOT_READ, path, reason));
    return false;
}

}  // namespace

bool ReadCsvRecords(CFileReader& file, const std::string& path, const CCsvOpts& options, CDataColumn& ci,
                    CDataColumn*& cq) {
    int32_t columns[2];
    int chosen;
    if (!CCsvOpts::ParseColumns(options.m_strColumns, columns[0], columns[1], chosen)) {
        // A text the dialog would not take: the defaults.
        columns[0] = 0;
        columns[1] = 1;
        chosen = 0;
    }
    int wanted = cq ? (chosen == 1 ? 1 : 2) : 1;
    if (cq && chosen == 1) {
        WarningBox(LoadString(IDS_ONE_CHANNEL_ONLY));
        cq = nullptr;
    }
    char sep = 0;  // not known before the first data line
    bool first = true;
    CAppender ai(ci, 0);
    CAppender* aq = nullptr;
    CAppender quadrature(cq ? *cq : ci, 0);
    if (cq) aq = &quadrature;
    const char* b;
    const char* e;
    while (file.NextLine(b, e)) {
        if (first) {
            first = false;
            if (e - b >= 3 && std::memcmp(b, "\xEF\xBB\xBF", 3) == 0) b += 3;
        }
        const char* text = SkipBlanks(b, e);
        if (text == e || *text == '#') continue;
        double values[2];
        int32_t failedColumn = 0;
        bool missing = false;
        if (sep == 0) {
            // Before the data: a line whose first chosen column holds no
            // number is a header row.
            char lineSep = DetectSeparator(b, e);
            int got = ReadColumns(b, e, lineSep, columns, wanted, values, failedColumn, missing);
            if (got == 0) continue;
            sep = lineSep;
            if (got < wanted) {
                if (chosen == 0 && missing && failedColumn == columns[1]) {
                    // One value on the first data line, and no columns were
                    // chosen: a file of one channel.
                    WarningBox(LoadString(IDS_ONE_CHANNEL_ONLY));
                    cq = nullptr;
                    aq = nullptr;
                    wanted = 1;
                } else {
                    return Fail(path,
                                FormatString(missing ? IDS_WHY_CSV_NO_COLUMN : IDS_WHY_CSV_NOT_NUMBER,
                                             std::to_string(file.LineNumber()), std::to_string(failedColumn + 1)),
                                ci, cq);
                }
            }
            // Files of similar lines need one block of the right size.
            const int64_t hint =
                file.SizeKnown() ? static_cast<int64_t>(std::min<uint64_t>(
                                       file.Remaining() / static_cast<uint64_t>(std::max<long>(e - b + 1, 4)) + 16,
                                       static_cast<uint64_t>(kMaxColumnLength)))
                                 : 0;
            ai.Hint(hint);
            if (aq) aq->Hint(hint);
        } else {
            int got = ReadColumns(b, e, sep, columns, wanted, values, failedColumn, missing);
            if (got < wanted)
                return Fail(path,
                            FormatString(missing ? IDS_WHY_CSV_NO_COLUMN : IDS_WHY_CSV_NOT_NUMBER,
                                         std::to_string(file.LineNumber()), std::to_string(failedColumn + 1)),
                            ci, cq);
        }
        if (!ai.Add(values[0]) || (aq && !aq->Add(values[1]))) {
            WarningBox(FormatString(IDS_TOO_MANY_VALUES, std::to_string(ci.GetSize())));
            if (cq && cq->GetSize() > ci.GetSize()) cq->SetSize(ci.GetSize());
            return true;
        }
    }
    if (file.LineTooLong())
        return Fail(path,
                    FormatString(IDS_WHY_LINE_TOO_LONG, std::to_string(file.LineNumber()),
                                 std::to_string(CFileReader::kMaxLine)),
                    ci, cq);
    return true;
}

}  // namespace kv

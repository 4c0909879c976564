#include "formats/NpyFiles.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "formats/CFileReader.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

constexpr char kMagic[] = "\x93NUMPY";
constexpr size_t kMagicSize = 6;
// A header holds a short dictionary; anything longer is not a header this
// program can use (NumPy itself refuses headers beyond 10,000 bytes).
constexpr uint32_t kMaxHeader = 1 << 20;

bool Refuse(const std::string& path, const std::string& reason) {
    ErrorBox(FormatString(IDS_CANNOT_READ, path, reason));
    return false;
}

// A reader of the Python literal that the header holds: a dictionary of
// strings, booleans and tuples of integers.
class CLiteral {
public:
    explicit CLiteral(std::string_view text) : m_text(text) {}

    void Spaces() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n' ||
                                         m_text[m_pos] == '\r'))
            ++m_pos;
    }
    bool Take(char c) {
        Spaces();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool Peek(char c) {
        Spaces();
        return m_pos < m_text.size() && m_text[m_pos] == c;
    }
    bool String(std::string& out) {
        Spaces();
        if (m_pos >= m_text.size() || (m_text[m_pos] != '\'' && m_text[m_pos] != '"')) return false;
        char quote = m_text[m_pos++];
        out.clear();
        while (m_pos < m_text.size() && m_text[m_pos] != quote) {
            if (m_text[m_pos] == '\\') return false;  // no escapes in the keys and types read here
            out += m_text[m_pos++];
        }
        if (m_pos >= m_text.size()) return false;
        ++m_pos;
        return true;
    }
    bool Word(std::string& out) {
        Spaces();
        out.clear();
        while (m_pos < m_text.size() && ((m_text[m_pos] >= 'A' && m_text[m_pos] <= 'Z') ||
                                          (m_text[m_pos] >= 'a' && m_text[m_pos] <= 'z')))
            out += m_text[m_pos++];
        return !out.empty();
    }
    // A non-negative integer (a Python 2 "L" suffix allowed).
    bool Integer(uint64_t& value) {
        Spaces();
        size_t digits = 0;
        value = 0;
        while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') {
            uint64_t d = static_cast<uint64_t>(m_text[m_pos] - '0');
            if (value > (UINT64_MAX - d) / 10) return false;
            value = value * 10 + d;
            ++m_pos;
            ++digits;
        }
        if (digits == 0) return false;
        if (m_pos < m_text.size() && (m_text[m_pos] == 'L' || m_text[m_pos] == 'l')) ++m_pos;
        return true;
    }
    // Skips a value of a key this program does not use.
    bool SkipValue() {
        Spaces();
        if (m_pos >= m_text.size()) return false;
        char c = m_text[m_pos];
        if (c == '\'' || c == '"') {
            std::string s;
            return String(s);
        }
        if (c == '(' || c == '[' || c == '{') {
            char close = c == '(' ? ')' : c == '[' ? ']' : '}';
            ++m_pos;
            while (!Take(close)) {
                if (!SkipValue()) return false;
                if (Take(':') && !SkipValue()) return false;
                if (!Take(',') && !Peek(close)) return false;
            }
            return true;
        }
        size_t start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != ',' && m_text[m_pos] != '}' && m_text[m_pos] != ')' &&
               m_text[m_pos] != ']' && m_text[m_pos] != ':')
            ++m_pos;
        return m_pos > start;
    }
    bool AtEnd() {
        Spaces();
        return m_pos == m_text.size();
    }

private:
    std::string_view m_text;
    size_t m_pos = 0;
};

struct CHeaderFields {
    std::string descr;
    bool haveDescr = false, haveOrder = false, haveShape = false;
    bool fortran = false;
    std::vector<uint64_t> shape;
};

bool ParseHeader(std::string_view text, CHeaderFields& f) {
    CLiteral lit(text);
    if (!lit.Take('{')) return false;
    while (!lit.Take('}')) {
        std::string key;
        if (!lit.String(key) || !lit.Take(':')) return false;
        if (key == "descr") {
            // A structured type is a list: not a type of samples.
            if (lit.Peek('[')) {
                f.descr = "structured";
                if (!lit.SkipValue()) return false;
            } else if (!lit.String(f.descr)) {
                return false;
            }
            f.haveDescr = true;
        } else if (key == "fortran_order") {
            std::string word;
            if (!lit.Word(word) || (word != "True" && word != "False")) return false;
            f.fortran = word == "True";
            f.haveOrder = true;
        } else if (key == "shape") {
            if (!lit.Take('(')) return false;
            f.shape.clear();
            while (!lit.Take(')')) {
                uint64_t n;
                if (!lit.Integer(n)) return false;
                f.shape.push_back(n);
                if (!lit.Take(',') && !lit.Peek(')')) return false;
                if (f.shape.size() > 32) return false;
            }
            f.haveShape = true;
        } else if (!lit.SkipValue()) {
            return false;
        }
        if (!lit.Take(',') && !lit.Peek('}')) return false;
    }
    return lit.AtEnd() && f.haveDescr && f.haveOrder && f.haveShape;
}

std::string ShapeText(const std::vector<uint64_t>& shape) {
    std::string s = "(";
    for (size_t i = 0; i < shape.size(); ++i) {
        if (i) s += ", ";
        s += std::to_string(shape[i]);
    }
    if (shape.size() == 1) s += ",";
    return s + ")";
}

// The sample type of a type text such as "<f8"; false for other types.
bool SampleTypeOf(const std::string& descr, CNpyArray& a) {
    if (descr.size() < 3) return false;
    const char order = descr[0];
    if (order != '<' && order != '>' && order != '|' && order != '=') return false;
    const std::string kind = descr.substr(1);
    a.m_bBigEndian = order == '>';
    a.m_bComplex = false;
    if (kind == "f4") {
        a.m_type = SampleType::Float32;
    } else if (kind == "f8") {
        a.m_type = SampleType::Float64;
    } else if (kind == "c8") {
        a.m_type = SampleType::Float32;
        a.m_bComplex = true;
    } else if (kind == "c16") {
        a.m_type = SampleType::Float64;
        a.m_bComplex = true;
    } else if (kind == "i1") {
        a.m_type = SampleType::Int8;
    } else if (kind == "i2") {
        a.m_type = SampleType::Int16;
    } else if (kind == "i4") {
        a.m_type = SampleType::Int32;
    } else {
        return false;
    }
    return true;
}

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

bool ReadNpyHeader(CFileReader& file, const std::string& path, CNpyArray& array) {
    uint8_t start[8];
    if (file.Read(start, sizeof start) != sizeof start || std::memcmp(start, kMagic, kMagicSize) != 0)
        return Refuse(path, LoadString(IDS_WHY_NOT_NPY));
    const int major = start[6];
    if (major < 1 || major > 3)
        return Refuse(path, FormatString(IDS_WHY_NPY_VERSION, std::to_string(major) + "." + std::to_string(start[7])));
    uint32_t length;
    if (major == 1) {
        uint8_t b[2];
        if (file.Read(b, 2) != 2) return Refuse(path, LoadString(IDS_WHY_NPY_HEADER));
        length = Le16(b);
    } else {
        uint8_t b[4];
        if (file.Read(b, 4) != 4) return Refuse(path, LoadString(IDS_WHY_NPY_HEADER));
        length = Le32(b);
    }
    if (length > kMaxHeader || length > file.Remaining()) return Refuse(path, LoadString(IDS_WHY_NPY_HEADER));
    std::string text(length, '\0');
    if (file.Read(text.data(), length) != length) return Refuse(path, LoadString(IDS_WHY_NPY_HEADER));
    CHeaderFields f;
    if (!ParseHeader(text, f)) return Refuse(path, LoadString(IDS_WHY_NPY_HEADER));
    CNpyArray a;
    if (!SampleTypeOf(f.descr, a)) return Refuse(path, FormatString(IDS_WHY_NPY_TYPE, f.descr));
    a.m_bFortran = f.fortran;
    if (f.shape.empty()) {
        a.m_nRows = 1;
    } else if (f.shape.size() == 1) {
        a.m_nRows = f.shape[0];
    } else if (f.shape.size() == 2 && (f.shape[1] == 1 || (f.shape[1] == 2 && !a.m_bComplex))) {
        a.m_nRows = f.shape[0];
        a.m_nColumns = static_cast<int32_t>(f.shape[1]);
    } else {
        return Refuse(path, FormatString(IDS_WHY_NPY_SHAPE, ShapeText(f.shape)));
    }
    // The values must be in the file: a header that states more is damaged
    // (and is never taken as a size to make room for).
    const uint64_t valueBytes = SampleSize(a.m_type) * (a.m_bComplex ? 2u : 1u);
    const uint64_t perRow = valueBytes * static_cast<uint64_t>(a.m_nColumns);
    const uint64_t remaining = file.Remaining();
    if (a.m_nRows > 0 && (a.m_nRows > UINT64_MAX / perRow || a.m_nRows * perRow > remaining)) {
        std::string stated =
            a.m_nRows > UINT64_MAX / perRow ? ShapeText(f.shape) + " x " + std::to_string(perRow)
                                             : std::to_string(a.m_nRows * perRow);
        return Refuse(path, FormatString(IDS_WHY_COUNT_BEYOND_FILE, stated, std::to_string(remaining)));
    }
    array = a;
    return true;
}

std::string NpyHeader(bool complex, uint64_t n) {
    constexpr size_t kAlign = 64;
    constexpr size_t kGrowthDigits = 21;  // room NumPy leaves for the length to grow
    const std::string count = std::to_string(n);
    std::string dict = std::string("{'descr': '") + (complex ? "<c16" : "<f8") +
                       "', 'fortran_order': False, 'shape': (" + count + ",), }";
    if (count.size() < kGrowthDigits) dict.append(kGrowthDigits - count.size(), ' ');
    const size_t used = kMagicSize + 2 + 2 + dict.size() + 1;
    const size_t pad = kAlign - used % kAlign;
    dict.append(pad, ' ');
    dict += '\n';
    std::string header(kMagic, kMagicSize);
    header += '\x01';
    header += '\x00';
    header += static_cast<char>(dict.size() & 0xFF);
    header += static_cast<char>((dict.size() >> 8) & 0xFF);
    return header + dict;
}

}  // namespace kv

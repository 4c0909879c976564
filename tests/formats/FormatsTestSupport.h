#pragma once
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/CDataSetIO.h"
#include "data/CKalvoData.h"
#include "formats/SignalFiles.h"
#include "support/CTempDir.h"

namespace kv::test {

// Restores the current directory (which browsing changes) when it goes.
class CCurrentDirectoryGuard {
public:
    CCurrentDirectoryGuard() : m_path(std::filesystem::current_path()) {}
    ~CCurrentDirectoryGuard() {
        std::error_code ec;
        std::filesystem::current_path(m_path, ec);
    }
    CCurrentDirectoryGuard(const CCurrentDirectoryGuard&) = delete;
    CCurrentDirectoryGuard& operator=(const CCurrentDirectoryGuard&) = delete;

private:
    std::filesystem::path m_path;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

inline bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

// Splits at "\r\n"; a final line without an end is kept.
inline std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t p = text.find("\r\n", start);
        if (p == std::string::npos) {
            if (start < text.size()) lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, p - start));
        start = p + 2;
    }
}

// A data set with one column holding i, and a second holding q when given.
inline CDataSetIO MakeData(const std::vector<double>& i, const std::vector<double>& q = {}) {
    CDataSetIO data;
    data.AddColumnFrom(static_cast<int32_t>(i.size()), i.data());
    if (!q.empty()) data.AddColumnFrom(static_cast<int32_t>(q.size()), q.data());
    return data;
}

// An empty data set with two columns, to read into.
inline CDataSetIO Target() {
    CDataSetIO data;
    data.AddColumn();
    data.AddColumn();
    return data;
}

inline std::vector<double> Values(const CDataColumn& c) { return std::vector<double>(c.begin(), c.end()); }

// A file of tests/testdata/formats, written by other programs (see make-fixtures.sh there).
inline std::string Fixture(const std::string& name) { return std::string(KALVORA_TEST_DATA_DIR) + "/formats/" + name; }

// Reads a file in a format into a fresh two-column data set.
struct CReadResult {
    bool ok = false;
    CDataSetIO data = Target();
    CDataFormat format;
};
inline CReadResult ReadAs(int32_t id, const std::string& path, bool two) {
    CReadResult r;
    r.format = CDataFormat(id);
    r.ok = ReadSignalFile(r.data, r.format, path, 0, two ? 1 : kNoColumn);
    return r;
}

}  // namespace kv::test

#pragma once
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace kv::test {

// A fresh directory under /tmp, removed with everything in it.
class CTempDir {
public:
    CTempDir() {
        char pattern[] = "/tmp/kv_test_XXXXXX";
        // Without a directory of its own there is nothing it may remove.
        if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a temporary directory");
        m_path = pattern;
    }
    ~CTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }
    const std::string& Path() const { return m_path; }
    // The names of the files in the directory, sorted.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_path)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string m_path;
};

}  // namespace kv::test

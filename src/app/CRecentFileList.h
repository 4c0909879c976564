#pragma once
#include <string>
#include <vector>

namespace kv {

// The most recently used project files, most recent first, kept in the
// settings store under "Recent File List" as "File1" to "File4".
class CRecentFileList {
public:
    static constexpr int kSize = 4;

    void Load();
    void Save() const;
    // Puts a path at the front (removing an older entry of it) and saves.
    void Add(const std::string& path);
    // Removes a path (for example one that can no longer be opened) and saves.
    void Remove(const std::string& path);
    const std::vector<std::string>& Files() const { return m_files; }

private:
    std::vector<std::string> m_files;
};

}  // namespace kv

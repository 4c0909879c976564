#include "app/CRecentFileList.h"

#include <algorithm>

#include "platform/CPlatform.h"

namespace kv {

namespace {

const char* const kSection = "Recent File List";

std::string Key(int i) { return "File" + std::to_string(i + 1); }

}  // namespace

void CRecentFileList::Load() {
    m_files.clear();
    ISettings& s = Platform().Settings();
    for (int i = 0; i < kSize; ++i) {
        std::string path = s.GetString(kSection, Key(i), {});
        if (!path.empty() && std::find(m_files.begin(), m_files.end(), path) == m_files.end()) m_files.push_back(path);
    }
}

void CRecentFileList::Save() const {
    ISettings& s = Platform().Settings();
    for (int i = 0; i < kSize; ++i)
        s.SetString(kSection, Key(i), i < static_cast<int>(m_files.size()) ? m_files[static_cast<size_t>(i)] : "");
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty()) return;
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
    m_files.insert(m_files.begin(), path);
    if (static_cast<int>(m_files.size()) > kSize) m_files.resize(kSize);
    Save();
}

void CRecentFileList::Remove(const std::string& path) {
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
    Save();
}

}  // namespace kv

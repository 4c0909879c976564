#include "platform/CDiskFile.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {

CDiskFile::~CDiskFile() {
    if (m_pFile) std::fclose(m_pFile);
}

bool CDiskFile::Open(const std::string& path, Mode mode) {
    Close();
    m_pFile = std::fopen(path.c_str(), mode == Mode::Read ? "rb" : "wb");
    if (!m_pFile) return false;
    m_nLength = 0;
    if (mode == Mode::Read) {
        struct stat st {};
        if (fstat(fileno(m_pFile), &st) == 0) {
            if (S_ISDIR(st.st_mode)) {
                std::fclose(m_pFile);
                m_pFile = nullptr;
                errno = EISDIR;
                return false;
            }
            m_nLength = static_cast<uint64_t>(st.st_size);
        }
    }
    return true;
}

bool CDiskFile::Close() {
    if (!m_pFile) return true;
    bool ok = std::fclose(m_pFile) == 0;
    m_pFile = nullptr;
    return ok;
}

void CDiskFile::Sync() {
    if (!m_pFile) return;
    if (std::fflush(m_pFile) != 0 || fsync(fileno(m_pFile)) != 0) throw CFileException{errno};
}

size_t CDiskFile::Read(void* buffer, size_t count) {
    if (!m_pFile) return 0;
    return std::fread(buffer, 1, count, m_pFile);
}

void CDiskFile::Write(const void* buffer, size_t count) {
    if (!m_pFile || std::fwrite(buffer, 1, count, m_pFile) != count) throw CFileException{errno};
    uint64_t pos = GetPosition();
    if (pos > m_nLength) m_nLength = pos;
}

uint64_t CDiskFile::GetPosition() const {
    if (!m_pFile) return 0;
    long pos = std::ftell(m_pFile);
    return pos < 0 ? 0 : static_cast<uint64_t>(pos);
}

void CDiskFile::SeekToBegin() {
    if (m_pFile) std::fseek(m_pFile, 0, SEEK_SET);
}

void CDiskFile::Flush() {
    if (m_pFile && std::fflush(m_pFile) != 0) throw CFileException{errno};
}

}  // namespace kv

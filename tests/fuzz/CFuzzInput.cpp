#include "CFuzzInput.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace kv::fuzz {

CFuzzInput& CFuzzInput::Instance() {
    static CFuzzInput instance;
    return instance;
}

CFuzzInput::CFuzzInput() {
    std::error_code error;
    m_strStartDirectory = std::filesystem::current_path(error).string();
    // TMPDIR when set (scripts/fuzz.sh gives each run its own), else memory.
    const char* tmp = std::getenv("TMPDIR");
    std::string base = tmp && *tmp ? tmp : "/dev/shm";
    if (access(base.c_str(), W_OK) != 0) base = "/tmp";
    std::string pattern = base + "/kalvora-fuzz-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) {
        std::perror("kalvora fuzzing: cannot make a folder for the inputs");
        std::abort();
    }
    m_strFolder = name.data();
}

CFuzzInput::~CFuzzInput() {
    std::error_code error;
    std::filesystem::remove_all(m_strFolder, error);
}

std::string CFuzzInput::Write(const std::string& name, const uint8_t* data, size_t size) {
    std::string path = PathOf(name);
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::perror("kalvora fuzzing: cannot write an input");
        std::abort();
    }
    size_t done = 0;
    while (done < size) {
        ssize_t n = write(fd, data + done, size - done);
        if (n <= 0) {
            std::perror("kalvora fuzzing: cannot write an input");
            std::abort();
        }
        done += static_cast<size_t>(n);
    }
    close(fd);
    return path;
}

void CFuzzInput::Remove(const std::string& name) const {
    std::error_code error;
    std::filesystem::remove(PathOf(name), error);
}

void CFuzzInput::RestoreDirectory() const {
    if (!m_strStartDirectory.empty() && chdir(m_strStartDirectory.c_str()) != 0) {
        std::perror("kalvora fuzzing: cannot go back to the working directory");
        std::abort();
    }
}

}  // namespace kv::fuzz

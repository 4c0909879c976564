#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kv::fuzz {

// Files made from fuzzing inputs, in a folder of this process's own (below
// TMPDIR, else in memory where /dev/shm is there) that is removed at exit. The working
// directory is put back after every run, as opening a project moves it.
class CFuzzInput {
public:
    // The one instance of the process.
    static CFuzzInput& Instance();

    // Writes the bytes to the file of that name in the folder; returns its
    // full path.
    std::string Write(const std::string& name, const uint8_t* data, size_t size);
    // Removes the file of that name from the folder, if it is there.
    void Remove(const std::string& name) const;
    // The full path a file of that name would have (it may not exist).
    std::string PathOf(const std::string& name) const { return m_strFolder + "/" + name; }
    // Goes back to the working directory the process started in.
    void RestoreDirectory() const;

private:
    CFuzzInput();
    ~CFuzzInput();

    std::string m_strFolder;
    std::string m_strStartDirectory;
};

}  // namespace kv::fuzz

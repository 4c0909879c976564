#pragma once
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/CDataFormat.h"
#include "data/CKalvoData.h"
#include "formats/SignalFiles.h"
#include "support/CTempDir.h"

extern char** environ;

namespace kv::test {

inline std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline bool Exists(const std::string& path) { return std::filesystem::exists(path); }

struct CliResult {
    int status = -1;  // exit status; 128 + signal number when killed by a signal
    std::string out;
    std::string err;
};

// Runs the built kalvora-cli with the arguments in a working directory,
// standard input from /dev/null, and returns its exit status and output.
inline CliResult RunCli(const std::vector<std::string>& args, const std::string& cwd) {
    CliResult result;
    const std::string outPath = cwd + "/.stdout", errPath = cwd + "/.stderr";
    std::vector<std::string> words = {KALVORA_CLI_PATH};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        ADD_FAILURE() << "cannot start " << argv[0];
        return result;
    }
    posix_spawn_file_actions_destroy(&actions);
    // A command that hangs is a fault: it is stopped after two minutes.
    int wstatus = 0;
    for (int waited = 0;; ++waited) {
        if (waitpid(pid, &wstatus, WNOHANG) == pid) break;
        if (waited >= 120000) {
            kill(pid, SIGKILL);
            waitpid(pid, &wstatus, 0);
            ADD_FAILURE() << "kalvora-cli did not end";
            break;
        }
        usleep(1000);
    }
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    return result;
}

inline bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Reads a signal file with the core's reader (complex when asked).
inline bool ReadSignal(const std::string& path, int32_t format, bool complex, CKalvoData& data, int32_t bits = 16) {
    CDataFormat descriptor(format);
    descriptor.m_FixedPoint.m_nBits = bits;
    data.Reset();
    bool ok = ReadSignalFile(data, descriptor, path, 0, complex ? 1 : kNoColumn);
    data.EqualizeColumns(0.0);
    return ok;
}

// Writes Text:Decimal lines of (i, q) pairs, or of i alone.
inline void WriteDecimal(const std::string& path, const std::vector<double>& i, const std::vector<double>& q = {}) {
    std::string text;
    char line[128];
    for (size_t k = 0; k < i.size(); ++k) {
        if (q.empty())
            std::snprintf(line, sizeof line, "%.17g\r\n", i[k]);
        else
            std::snprintf(line, sizeof line, "%.17g %.17g\r\n", i[k], q[k]);
        text += line;
    }
    WriteFile(path, text);
}

}  // namespace kv::test

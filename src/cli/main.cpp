#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* kUsage =
    "Usage: kalvora-cli [--help] [--version] COMMAND [options]\n"
    "\n"
    "Kalvora's signal-analysis operations without a window.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("kalvora-cli %s\n", KALVORA_VERSION);
        return 0;
    }
    std::fprintf(stderr, "kalvora-cli: unknown command '%s'\n%s", argv[1], kUsage);
    return 2;
}

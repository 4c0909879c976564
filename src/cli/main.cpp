// kalvora-cli: the program's operations from the command line, through the
// same core as the desktop program, with the platform's dialogs answered
// from the command line or a project file.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "cli/CCliPlatform.h"
#include "cli/CliSupport.h"
#include "cli/ConvertCommands.h"
#include "cli/GenerateCommands.h"
#include "cli/PlotCommand.h"
#include "cli/ProjectCommands.h"
#include "cli/StatsCommands.h"
#include "platform/StringTable.h"

namespace {

using namespace kv;

std::vector<const CCliCommand*> Commands() {
    return {&FormatsCommand(),     &ConvertCommand(),    &GenerateCommand(), &ProjectInfoCommand(),
            &ProjectRunCommand(),  &StatsCommand(),      &TransformCommand(), &PlotCommand(),
            &SignalCommand()};
}

void PrintUsage(std::FILE* out) {
    std::fputs(
        "Usage: kalvora-cli [--help] [--version] COMMAND [options]\n"
        "\n"
        "Kalvora's signal-analysis operations without a window.\n"
        "\n"
        "Commands:\n",
        out);
    for (const CCliCommand* c : Commands()) std::fprintf(out, "  %-14s %s\n", c->m_pName, c->m_pSummary);
    std::fputs(
        "\n"
        "Options of every command:\n"
        "  --yes          answer Yes to the program's questions (otherwise No)\n"
        "  --verbose      show the program's progress texts on standard error\n"
        "  --progress     show a progress line of long operations on standard error (the\n"
        "                 default when standard error is a terminal)\n"
        "  --quiet        show no progress line\n"
        "  --help         the command's own options and examples\n"
        "\n"
        "Messages of the program go to standard error. Exit status: 0 success, 1 the operation\n"
        "failed (the program's message says why), 2 bad usage.\n",
        out);
}

int RunCommand(const CCliCommand& command, const std::vector<std::string>& words) {
    std::vector<COptionDef> known = command.m_options;
    known.push_back({"yes", false});
    known.push_back({"verbose", false});
    known.push_back({"progress", false});
    known.push_back({"quiet", false});
    CCliArgs args;
    try {
        args.Parse(words, known);
        if (args.WantsHelp()) {
            std::fputs(command.m_pHelp, stdout);
            return CLI_OK;
        }
        CCliPlatform platform;
        platform.SetAssumeYes(args.Has("yes"));
        platform.SetVerbose(args.Has("verbose"));
        platform.SetProgressLine(args.Has("quiet")      ? CCliPlatform::ProgressLine::Never
                                 : args.Has("progress") ? CCliPlatform::ProgressLine::Always
                                                        : CCliPlatform::ProgressLine::Auto);
        int status = CLI_FAILED;
        if (!RunGuarded([&] { status = command.m_pRun(args, platform); })) return CLI_FAILED;
        return status;
    } catch (const CCommandFailure& e) {
        std::fprintf(stderr, "kalvora-cli: error: %s\n", e.m_strMessage.c_str());
        return CLI_FAILED;
    } catch (const CUsageError& e) {
        std::fprintf(stderr, "kalvora-cli %s: %s\nTry 'kalvora-cli %s --help'.\n", command.m_pName,
                     e.m_strMessage.c_str(), command.m_pName);
        return CLI_USAGE;
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_NUMERIC, "C");
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        PrintUsage(stderr);
        return CLI_USAGE;
    }
    if (words[0] == "--help" || words[0] == "-h" || (words[0] == "help" && words.size() == 1)) {
        PrintUsage(stdout);
        return CLI_OK;
    }
    // "help COMMAND" is "COMMAND --help".
    if (words[0] == "help") {
        words.erase(words.begin());
        words.push_back("--help");
    }
    if (words[0] == "--version") {
        std::printf("kalvora-cli %s\n", KALVORA_VERSION);
        return CLI_OK;
    }
    try {
        for (const CCliCommand* command : Commands()) {
            const std::string name = command->m_pName;
            const size_t space = name.find(' ');
            size_t used = 1;
            if (space == std::string::npos) {
                if (words[0] != name) continue;
            } else {
                if (words[0] != name.substr(0, space) || words.size() < 2 || words[1] != name.substr(space + 1))
                    continue;
                used = 2;
            }
            return RunCommand(*command, std::vector<std::string>(words.begin() + static_cast<long>(used), words.end()));
        }
        if (words[0] == "project" && words.size() >= 2 && (words[1] == "--help" || words[1] == "-h")) {
            std::fputs("Usage: kalvora-cli project info|run ...\n\n", stdout);
            for (const CCliCommand* command : Commands())
                if (std::string(command->m_pName).rfind("project ", 0) == 0)
                    std::printf("  %-14s %s\n", command->m_pName, command->m_pSummary);
            return CLI_OK;
        }
        if (words[0] == "project") {
            std::fprintf(stderr, "kalvora-cli project: %s\nUsage: kalvora-cli project info|run ...\n",
                         words.size() < 2 ? "missing sub-command" : ("unknown sub-command '" + words[1] + "'").c_str());
            return CLI_USAGE;
        }
        std::fprintf(stderr, "kalvora-cli: unknown command '%s'\n\n", words[0].c_str());
        PrintUsage(stderr);
        return CLI_USAGE;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "kalvora-cli: error: %s\n", kv::LoadString(kv::IDS_OUT_OF_MEMORY).c_str());
        return CLI_FAILED;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kalvora-cli: error: %s\n", e.what());
        return CLI_FAILED;
    } catch (...) {
        std::fprintf(stderr, "kalvora-cli: error: the operation stopped on an unexpected error\n");
        return CLI_FAILED;
    }
}

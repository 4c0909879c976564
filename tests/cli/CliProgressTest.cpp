#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>
#include <string>

#include "cli/CCliPlatform.h"
#include "platform/CPlatform.h"
#include "platform/CProgress.h"

namespace kv {
namespace {

using namespace std::chrono_literals;

// What the platform wrote to its message stream.
std::string Written(std::FILE* f) {
    std::fflush(f);
    std::rewind(f);
    std::string text;
    char buffer[256];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    return text;
}

// Runs an operation that reports 10 %, 55 % and then shows a message.
std::string RunWith(CCliPlatform::ProgressLine mode) {
    std::FILE* messages = std::tmpfile();
    const auto previousDelay = CProgress::SetShowDelay(0ms);
    {
        CCliPlatform platform(messages, messages);
        platform.SetProgressLine(mode);
        CProgress progress("Reading \"a.bin\"...");
        progress.Step(10, 100);
        std::this_thread::sleep_for(110ms);
        progress.Step(55, 100);
        ErrorBox("Something failed.");
    }
    CProgress::SetShowDelay(previousDelay);
    std::string text = Written(messages);
    std::fclose(messages);
    return text;
}

TEST(CliProgressLine, IsRewrittenInPlaceAndClearedBeforeOtherOutput) {
    const std::string text = RunWith(CCliPlatform::ProgressLine::Always);
    const std::string first = "\rReading \"a.bin\"... 10%";
    const std::string second = "\rReading \"a.bin\"... 55%";
    const std::string clear = "\r" + std::string(second.size() - 1, ' ') + "\r";
    EXPECT_EQ(text.find(first), 0u) << text;
    EXPECT_EQ(text.find(second), first.size()) << text;
    // The line is blanked before the message, which then stands on its own line.
    EXPECT_EQ(text.find(clear), first.size() + second.size()) << text;
    EXPECT_NE(text.find(clear + "kalvora-cli: "), std::string::npos) << text;
}

TEST(CliProgressLine, OnlyOnATerminalUnlessForcedAndNeverWhenQuiet) {
    // The stream here is a file: Auto shows nothing, nor does Never.
    for (auto mode : {CCliPlatform::ProgressLine::Auto, CCliPlatform::ProgressLine::Never}) {
        const std::string text = RunWith(mode);
        EXPECT_EQ(text.find('%'), std::string::npos) << text;
        EXPECT_NE(text.find("Something failed."), std::string::npos);
    }
}

}  // namespace
}  // namespace kv

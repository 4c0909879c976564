#pragma once
#include <string>

namespace kv {

// The texts that describe a command: a status-bar prompt shown while its
// menu item or toolbar button is highlighted, and a short tooltip. They are
// kept by command number as one text, prompt and tooltip separated by "\n"
// ("Read Time Data from a file\nRead Time").
class CCommandPrompts {
public:
    // The whole text of a command; empty for a number without one.
    static const std::string& Text(int id);
    // The part before "\n": the status-bar prompt.
    static std::string StatusPrompt(int id);
    // The part after "\n": the tooltip (the prompt when there is no second part).
    static std::string ToolTip(int id);
};

}  // namespace kv

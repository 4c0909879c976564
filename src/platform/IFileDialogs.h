#pragma once
#include <optional>
#include <string>

namespace kv {

// File open and save dialogs. Filters are description and pattern pairs
// separated by "|" and ended by "||", for example
// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||".
class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    virtual std::optional<std::string> GetOpenFileName(const std::string& title, const std::string& filter,
                                                       const std::string& initialPath) = 0;
    virtual std::optional<std::string> GetSaveFileName(const std::string& title, const std::string& filter,
                                                       const std::string& initialPath) = 0;
};

}  // namespace kv

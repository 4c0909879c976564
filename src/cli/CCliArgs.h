#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// A usage error: a bad option, a missing argument or a value out of range.
// The command line front end reports it with exit status 2.
struct CUsageError {
    std::string m_strMessage;
};

// An option a command accepts: "--name" alone, or "--name VALUE" /
// "--name=VALUE" when it takes a value.
struct COptionDef {
    std::string m_strName;  // without the leading "--"
    bool m_bValue = false;
};

// The arguments of one command: its options and its positional arguments.
// "--" ends the options; a later option of the same name replaces an
// earlier one. Values are checked by the typed getters, which throw
// CUsageError for text that does not fit.
class CCliArgs {
public:
    // Parses args against the known options; throws CUsageError for an unknown
    // option or a missing value. "--help" and "-h" are always accepted.
    void Parse(const std::vector<std::string>& args, const std::vector<COptionDef>& known);

    bool Has(const std::string& name) const { return m_options.count(name) != 0; }
    std::optional<std::string> Value(const std::string& name) const;
    // Every value given to an option that may be repeated, in order.
    std::vector<std::string> Values(const std::string& name) const;
    std::string Text(const std::string& name, const std::string& fallback) const;
    // Numbers: the whole text must be a finite number (an integer for Int).
    std::optional<double> Real(const std::string& name) const;
    std::optional<int64_t> Int(const std::string& name, int64_t minimum, int64_t maximum) const;
    const std::vector<std::string>& Positionals() const { return m_positionals; }
    // Throws CUsageError unless the count of positional arguments is in range.
    void RequirePositionals(size_t minimum, size_t maximum, const std::string& what) const;
    bool WantsHelp() const { return m_bHelp; }

private:
    std::map<std::string, std::string> m_options;
    std::map<std::string, std::vector<std::string>> m_repeated;
    std::vector<std::string> m_positionals;
    bool m_bHelp = false;
};

// Parses a finite real number written in full (spaces around are allowed).
bool ParseReal(const std::string& text, double& value);
// Parses an integer written in full.
bool ParseInteger(const std::string& text, int64_t& value);

}  // namespace kv

#include "cli/CCliArgs.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "platform/CDialogModel.h"

namespace kv {

bool ParseReal(const std::string& text, double& value) {
    double v = 0.0;
    if (!ParseRealField(text, v) || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool ParseInteger(const std::string& text, int64_t& value) { return ParseIntField(text, value); }

void CCliArgs::Parse(const std::vector<std::string>& args, const std::vector<COptionDef>& known) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-' || arg == "-") {
            m_positionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            m_bHelp = true;
            continue;
        }
        if (arg.compare(0, 2, "--") != 0) {
            // A negative number is a positional argument, not an option.
            double number;
            if (ParseReal(arg, number)) {
                m_positionals.push_back(arg);
                continue;
            }
            throw CUsageError{"unknown option '" + arg + "'"};
        }
        std::string name = arg.substr(2);
        std::optional<std::string> inlineValue;
        const size_t equals = name.find('=');
        if (equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.resize(equals);
        }
        const COptionDef* option = nullptr;
        for (const COptionDef& s : known)
            if (s.m_strName == name) option = &s;
        if (!option) throw CUsageError{"unknown option '--" + name + "'"};
        if (!option->m_bValue) {
            if (inlineValue) throw CUsageError{"option '--" + name + "' takes no value"};
            m_options[name] = std::string();
            continue;
        }
        if (inlineValue) {
            m_options[name] = *inlineValue;
        } else {
            if (i + 1 >= args.size()) throw CUsageError{"option '--" + name + "' needs a value"};
            m_options[name] = args[++i];
        }
        m_repeated[name].push_back(m_options[name]);
    }
}

std::vector<std::string> CCliArgs::Values(const std::string& name) const {
    auto it = m_repeated.find(name);
    return it == m_repeated.end() ? std::vector<std::string>() : it->second;
}

std::optional<std::string> CCliArgs::Value(const std::string& name) const {
    auto it = m_options.find(name);
    if (it == m_options.end()) return std::nullopt;
    return it->second;
}

std::string CCliArgs::Text(const std::string& name, const std::string& fallback) const {
    auto value = Value(name);
    return value ? *value : fallback;
}

std::optional<double> CCliArgs::Real(const std::string& name) const {
    auto text = Value(name);
    if (!text) return std::nullopt;
    double value;
    if (!ParseReal(*text, value)) throw CUsageError{"--" + name + ": '" + *text + "' is not a number"};
    return value;
}

std::optional<int64_t> CCliArgs::Int(const std::string& name, int64_t minimum, int64_t maximum) const {
    auto text = Value(name);
    if (!text) return std::nullopt;
    int64_t value;
    if (!ParseInteger(*text, value)) throw CUsageError{"--" + name + ": '" + *text + "' is not an integer"};
    if (value < minimum || value > maximum)
        throw CUsageError{"--" + name + ": " + *text + " is outside " + std::to_string(minimum) + " to " +
                          std::to_string(maximum)};
    return value;
}

void CCliArgs::RequirePositionals(size_t minimum, size_t maximum, const std::string& what) const {
    if (m_positionals.size() < minimum) throw CUsageError{"missing " + what};
    if (m_positionals.size() > maximum)
        throw CUsageError{"unexpected argument '" + m_positionals[maximum] + "'"};
}

}  // namespace kv

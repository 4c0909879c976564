#pragma once
#include <string>

namespace kv {

// The per-user settings store: sections holding integer and text values.
// Missing keys read as the given default; write errors are ignored.
class ISettings {
public:
    virtual ~ISettings() = default;
    virtual int GetInt(const std::string& section, const std::string& key, int defaultValue) = 0;
    virtual void SetInt(const std::string& section, const std::string& key, int value) = 0;
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) = 0;
    virtual void SetString(const std::string& section, const std::string& key, const std::string& value) = 0;
};

}  // namespace kv

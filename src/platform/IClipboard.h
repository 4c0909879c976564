#pragma once
#include <string>

namespace kv {

// The system clipboard: plain text, and a picture given as PNG and SVG bytes.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    // Returns false when the clipboard cannot be opened.
    virtual bool SetText(const std::string& text) = 0;
    virtual bool SetPicture(const std::string& pngBytes, const std::string& svgText) = 0;
};

}  // namespace kv

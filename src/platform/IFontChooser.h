#pragma once

#include "platform/CFontDesc.h"

namespace kv {

// The platform's font chooser dialog.
class IFontChooser {
public:
    enum Flags : int {
        ScreenAndPrinterFonts = 1,
        ScalableOnly = 2,
        FixedPitchOnly = 4,
    };
    virtual ~IFontChooser() = default;
    // Opens the chooser on the description; on OK replaces it with the
    // chosen font and returns true.
    virtual bool ChooseFont(CFontDesc& desc, int flags) = 0;
};

}  // namespace kv

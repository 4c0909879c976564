#pragma once

#include "platform/IFontChooser.h"

namespace kv {

// The font chooser as Qt's font dialog. Heights are pixels in the core and
// points in the dialog; the screen's resolution converts between them.
class CQtFontChooser : public IFontChooser {
public:
    bool ChooseFont(CFontDesc& desc, int flags) override;
};

}  // namespace kv

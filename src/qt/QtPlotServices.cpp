#include "qt/QtPlotServices.h"

#include "platform/CPlatform.h"
#include "qt/CQtContextMenus.h"
#include "qt/CQtFontChooser.h"

namespace kv {

void InstallQtPlotServices(CPlatform& platform) {
    static CQtFontChooser chooser;
    static CQtContextMenus menus;
    platform.SetFontChooser(&chooser);
    platform.SetContextMenus(&menus);
}

}  // namespace kv

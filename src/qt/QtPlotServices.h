#pragma once

namespace kv {

class CPlatform;

// Registers the Qt font chooser and context menus with a platform (once per
// platform object; the services live for the whole program).
void InstallQtPlotServices(CPlatform& platform);

}  // namespace kv

#include "formats/CAsmOpts.h"

namespace kv {

CAsmOpts::CAsmOpts() : CDialogModel("TI Fixed-Point Assembly Code Options") {}

}  // namespace kv

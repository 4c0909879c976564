#include "formats/COptionsC.h"

namespace kv {

COptionsC::COptionsC() : CDialogModel("C Output Options") {}

}  // namespace kv

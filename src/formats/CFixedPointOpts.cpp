#include "formats/CFixedPointOpts.h"

namespace kv {

CFixedPointOpts::CFixedPointOpts() : CDialogModel("Fixed-Point Options") {}

}  // namespace kv

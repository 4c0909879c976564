#include "formats/CWavFmt.h"

namespace kv {

CWavFmt::CWavFmt() : CDialogModel("Wave File Format") {}

}  // namespace kv

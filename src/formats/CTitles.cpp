#include "formats/CTitles.h"

namespace kv {

CTitles::CTitles() : CDialogModel("Titles") {}

}  // namespace kv

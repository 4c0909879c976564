#include "app/CView.h"

namespace kv {

CView::~CView() = default;

}  // namespace kv

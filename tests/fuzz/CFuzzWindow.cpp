#include "CFuzzWindow.h"

namespace kv::fuzz {

bool CFuzzWindow::RecordPicture(const std::function<void(IDrawSurface&)>& paint, std::string& png,
                                std::string& svg) {
    CFuzzSurface picture(m_size.cx, m_size.cy);
    paint(picture);
    png.clear();
    svg.clear();
    return true;
}

}  // namespace kv::fuzz

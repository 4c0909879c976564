#include "support/CFakeViewWindow.h"

namespace kv::test {

bool CFakeViewWindow::RecordPicture(const std::function<void(IDrawSurface&)>& paint, std::string& png,
                                    std::string& svg) {
    CRecordingSurface picture(m_size.cx, m_size.cy);
    paint(picture);
    pictureCalls = picture.calls;
    png = "png:" + std::to_string(picture.calls.size());
    svg = "svg:" + std::to_string(picture.Texts().size());
    return true;
}

}  // namespace kv::test

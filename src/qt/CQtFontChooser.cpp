#include "qt/CQtFontChooser.h"

#include <cmath>

#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>
#include <QScreen>

#include "qt/CQtDrawSurface.h"

namespace kv {

namespace {

double ScreenDpi() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

}  // namespace

bool CQtFontChooser::ChooseFont(CFontDesc& desc, int flags) {
    QFont initial = CQtDrawSurface::ToQFont(desc);
    double dpi = ScreenDpi();
    initial.setPointSizeF(std::max(1, desc.m_nHeight) * 72.0 / dpi);
    QFontDialog::FontDialogOptions options;
    if (flags & ScalableOnly) options |= QFontDialog::ScalableFonts;
    if (flags & FixedPitchOnly) options |= QFontDialog::MonospacedFonts;
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, initial, QApplication::activeWindow(), QString(), options);
    if (!ok) return false;
    QFontInfo info(chosen);
    desc.m_strFace = chosen.family().toStdString();
    double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : info.pointSizeF();
    desc.m_nHeight = std::max(1, static_cast<int>(std::lround(points * dpi / 72.0)));
    desc.m_nWeight = chosen.weight();
    desc.m_bItalic = chosen.italic();
    return true;
}

}  // namespace kv

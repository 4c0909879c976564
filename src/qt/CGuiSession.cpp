#include "qt/CGuiSession.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QGuiApplication>

namespace kv {

namespace {

bool HasDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

// Qt's own notes (about its runtime directory, fonts and the like) are not
// messages of the program: only critical ones are shown.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "kalvora-cli: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

struct CGuiSession::CState {
    std::unique_ptr<QGuiApplication> m_pApp;
    QtMessageHandler m_previousHandler = nullptr;
};

CGuiSession::CGuiSession() : m_pState(std::make_unique<CState>()) {
    if (QCoreApplication::instance()) return;
    m_pState->m_previousHandler = qInstallMessageHandler(QtMessages);
    // Without a display the window-system platforms cannot start (Qt would
    // end the program); the offscreen platform draws all the same.
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    const std::string platform = chosen ? chosen : "";
    if (!HasDisplay() && (platform.empty() || platform.rfind("xcb", 0) == 0 || platform.rfind("wayland", 0) == 0))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "kalvora-cli";
    static char* argv[] = {name, nullptr};
    m_pState->m_pApp = std::make_unique<QGuiApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
}

CGuiSession::~CGuiSession() {
    if (!m_pState->m_pApp) return;
    m_pState->m_pApp.reset();
    qInstallMessageHandler(m_pState->m_previousHandler);
}

bool CGuiSession::Usable() const {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace kv

#include "qt/CQtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QImage>
#include <QMainWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>

#include "platform/StringTable.h"
#include "qt/CQtDialog.h"
#include "qt/CQtProgress.h"
#include "qt/CQtPropertySheet.h"
#include "qt/CStatusLine.h"

namespace kv {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

CQtPlatform::CQtPlatform()
    : m_platform(*this, *this, *this, *this, *this, *this),
      m_pSettings(std::make_unique<QSettings>(Q(LoadString(IDS_COMPANY_NAME)), Q(LoadString(IDS_APP_NAME)))) {}

CQtPlatform::~CQtPlatform() {
    while (m_nWaitDepth > 0) EndWaitCursor();
}

MsgAnswer CQtPlatform::ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons) {
    QMessageBox box(QApplication::activeWindow() ? QApplication::activeWindow() : m_pMainWindow);
    box.setWindowTitle(Q(LoadString(IDS_APP_NAME)));
    box.setText(Q(text));
    switch (icon) {
        case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case MsgIcon::Warning:
        case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MsgIcon::None: break;
    }
    switch (buttons) {
        case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    // A busy cursor would hide that the program waits for an answer.
    bool waiting = m_nWaitDepth > 0;
    if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
    int result = box.exec();
    if (waiting) QApplication::restoreOverrideCursor();
    switch (result) {
        case QMessageBox::Ok: return MsgAnswer::Ok;
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        default: return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    }
}

bool CQtPlatform::RunModal(CDialogModel& model) {
    bool waiting = m_nWaitDepth > 0;
    if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
    CQtDialog dialog(model, QApplication::activeWindow() ? QApplication::activeWindow() : m_pMainWindow);
    bool ok = dialog.Run();
    if (waiting) QApplication::restoreOverrideCursor();
    return ok;
}

bool CQtPlatform::RunPropertySheet(CPropertySheetModel& sheet) {
    bool waiting = m_nWaitDepth > 0;
    if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
    CQtPropertySheet dialog(sheet, QApplication::activeWindow() ? QApplication::activeWindow() : m_pMainWindow);
    bool ok = dialog.Run();
    if (waiting) QApplication::restoreOverrideCursor();
    return ok;
}

void CQtPlatform::SetStatusText(const std::string& text) {
    m_bWaitText = m_nWaitDepth > 0;
    // The bar repaints with the next paint of the window: a synchronous
    // repaint here could paint other widgets from inside their own paint.
    if (m_pStatusLine)
        m_pStatusLine->SetText(Q(text));
    else if (m_pMainWindow)
        m_pMainWindow->statusBar()->showMessage(Q(text));
}

void CQtPlatform::SetMainWindow(QMainWindow* window) {
    if (window == m_pMainWindow) return;
    m_pProgress.reset();
    m_pMainWindow = window;
}

bool CQtPlatform::ShowProgress(const std::string& text, int percent) {
    if (!m_pMainWindow) return false;
    if (!m_pProgress) m_pProgress = std::make_unique<CQtProgress>(m_pMainWindow);
    return m_pProgress->Show(Q(text), percent);
}

void CQtPlatform::EndProgress() {
    if (m_pProgress) m_pProgress->End();
}

void CQtPlatform::BeginWaitCursor() {
    ++m_nWaitDepth;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CQtPlatform::EndWaitCursor() {
    if (m_nWaitDepth <= 0) return;
    --m_nWaitDepth;
    QApplication::restoreOverrideCursor();
    // A progress text shown during the wait ends with the wait: the bar
    // returns to "Ready", not to a step that has finished.
    if (m_nWaitDepth == 0 && m_bWaitText) SetStatusText(LoadString(IDS_READY));
}

std::string CQtPlatform::ConvertFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : filter) {
        if (c == '|') {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(current);
    auto trim = [](std::string s) {
        const size_t first = s.find_first_not_of(" \t");
        if (first == std::string::npos) return std::string();
        return s.substr(first, s.find_last_not_of(" \t") - first + 1);
    };
    std::string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty()) break;
        // The description without the patterns it may show already.
        std::string description = trim(parts[i]);
        if (!description.empty() && description.back() == ')') {
            const size_t open = description.rfind('(');
            if (open != std::string::npos) description = trim(description.substr(0, open));
        }
        std::string patterns;
        size_t start = 0;
        const std::string& list = parts[i + 1];
        while (start <= list.size()) {
            size_t end = list.find(';', start);
            if (end == std::string::npos) end = list.size();
            std::string pattern = trim(list.substr(start, end - start));
            // "*.*" means every file, also one without a dot in its name.
            if (pattern == "*.*") pattern = "*";
            if (!pattern.empty()) patterns += (patterns.empty() ? "" : " ") + pattern;
            start = end + 1;
        }
        if (patterns.empty()) patterns = "*";
        if (!out.empty()) out += ";;";
        out += (description.empty() ? patterns : description) + " (" + patterns + ")";
    }
    return out;
}

std::optional<std::string> CQtPlatform::GetOpenFileName(const std::string& title, const std::string& filter,
                                                        const std::string& initialPath) {
    QString path = QFileDialog::getOpenFileName(m_pMainWindow, Q(title), Q(initialPath), Q(ConvertFilter(filter)));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> CQtPlatform::GetSaveFileName(const std::string& title, const std::string& filter,
                                                        const std::string& initialPath) {
    QString path = QFileDialog::getSaveFileName(m_pMainWindow, Q(title), Q(initialPath), Q(ConvertFilter(filter)));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

bool CQtPlatform::SetText(const std::string& text) {
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard) return false;
    clipboard->setText(Q(text));
    return true;
}

bool CQtPlatform::SetPicture(const std::string& pngBytes, const std::string& svgText) {
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard) return false;
    auto* mime = new QMimeData;
    QImage image;
    if (image.loadFromData(reinterpret_cast<const uchar*>(pngBytes.data()), static_cast<int>(pngBytes.size()), "PNG"))
        mime->setImageData(image);
    if (!svgText.empty()) mime->setData("image/svg+xml", QByteArray(svgText.data(), static_cast<int>(svgText.size())));
    clipboard->setMimeData(mime);
    return true;
}

int CQtPlatform::GetInt(const std::string& section, const std::string& key, int defaultValue) {
    bool ok = false;
    int value = m_pSettings->value(Q(section + "/" + key), defaultValue).toInt(&ok);
    return ok ? value : defaultValue;
}

void CQtPlatform::SetInt(const std::string& section, const std::string& key, int value) {
    m_pSettings->setValue(Q(section + "/" + key), value);
}

std::string CQtPlatform::GetString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) {
    return m_pSettings->value(Q(section + "/" + key), Q(defaultValue)).toString().toStdString();
}

void CQtPlatform::SetString(const std::string& section, const std::string& key, const std::string& value) {
    m_pSettings->setValue(Q(section + "/" + key), Q(value));
}

}  // namespace kv

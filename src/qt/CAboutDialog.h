#pragma once

#include <QDialog>
#include <QIcon>

namespace kv {

// The "About" box: the program's picture, name, version and build, and OK.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent = nullptr);

    // The program's icon in every size it is drawn in.
    static QIcon ProgramIcon();
    // The version ("0.1.0") and the build (commit and build type) shown.
    static QString VersionText();
    static QString BuildText();
};

}  // namespace kv

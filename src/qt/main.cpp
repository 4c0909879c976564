#include <clocale>
#include <cstdio>

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QFileInfo>
#include <QTimer>

#include "platform/StringTable.h"
#include "qt/CMainWindow.h"
#include "qt/CQtPlatform.h"
#include "qt/QtPlotServices.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Numbers in files and dialogs always use the decimal point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName(QString::fromStdString(kv::LoadString(kv::IDS_COMPANY_NAME)));
    QApplication::setApplicationName(QString::fromStdString(kv::LoadString(kv::IDS_APP_NAME)));
    QApplication::setApplicationVersion(KALVORA_VERSION);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption screenshot("screenshot", "Save a picture of the main window to FILE and quit.", "FILE");
    parser.addOption(screenshot);
    parser.addPositionalArgument("project", "A project file to open.");
    parser.process(app);

    kv::CQtPlatform platform;
    kv::SetPlatform(&platform.Platform());
    kv::InstallQtPlotServices(platform.Platform());
    int result;
    {
        kv::CMainWindow window(platform);
        window.show();
        const QStringList args = parser.positionalArguments();
        // Opening a project makes its folder the current one, so a relative
        // picture name is fixed before that happens.
        const QString shotPath = parser.isSet(screenshot)
            ? QFileInfo(parser.value(screenshot)).absoluteFilePath() : QString();
        window.StartUp(args.isEmpty() ? std::string() : args.front().toStdString());
        if (parser.isSet(screenshot)) {
            QTimer::singleShot(1500, &window, [&window, shotPath] {
                if (!window.grab().save(shotPath))
                    std::fprintf(stderr, "kalvora: cannot write \"%s\"\n", qPrintable(shotPath));
                QApplication::quit();
            });
        }
        result = QApplication::exec();
    }
    kv::SetPlatform(nullptr);
    return result;
}

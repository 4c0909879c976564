#include <clocale>
#include <cstdio>

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QPixmap>
#include <QTimer>

#include "platform/StringTable.h"
#include "qt/CInstanceChannel.h"
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
    QCommandLineOption separate("new-instance", "Do not hand the files to a Kalvora that is running already.");
    parser.addOption(separate);
    parser.addPositionalArgument("files", "Projects to open, or signal files to read as Time Data.", "[files...]");
    parser.process(app);

    // Names are fixed before a project's folder becomes the current one.
    QStringList files;
    for (const QString& arg : parser.positionalArguments()) files << QFileInfo(arg).absoluteFilePath();
    const QString shotPath =
        parser.isSet(screenshot) ? QFileInfo(parser.value(screenshot)).absoluteFilePath() : QString();

    // A program that runs already opens the files and this start ends.
    kv::CInstanceChannel channel(kv::CInstanceChannel::DefaultName());
    const bool shared = !parser.isSet(screenshot) && !parser.isSet(separate);
    if (shared) {
        if (channel.HandOver(files)) return 0;
        channel.Listen();
    }

    kv::CQtPlatform platform;
    kv::SetPlatform(&platform.Platform());
    kv::InstallQtPlotServices(platform.Platform());
    int result;
    {
        kv::CMainWindow window(platform);
        if (!parser.isSet(screenshot)) window.RestoreWindowPlacement();
        window.show();
        QObject::connect(&channel, &kv::CInstanceChannel::FilesRequested, &window, &kv::CMainWindow::OpenFiles);
        window.StartUp(files.isEmpty() ? std::string() : files.front().toStdString());
        if (files.size() > 1) window.OpenFiles(files.mid(1));
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

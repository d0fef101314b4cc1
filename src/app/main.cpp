// Program entry: the application, its title, the one window and the event
// loop, which ends when the window is closed.
#include "app/QtDialogs.h"
#include "app/Unit1.h"
#include "core/Captions.h"
#include "platform/CommandLine.h"

#include <QApplication>
#include <QString>
#include <QTimer>

namespace {

// For the screenshot script and the start-up benchmark: save a picture of
// the shown window, or only show it, and quit. Environment variables, since
// the tool's command line has no options but /A.
struct ShowOnly {
    bool QuitAfterShow = false;
    QString ScreenshotFile;
};

ShowOnly ReadShowOnly() {
    ShowOnly options;
    options.ScreenshotFile = qEnvironmentVariable("TARVEL_SCREENSHOT");
    options.QuitAfterShow =
        !options.ScreenshotFile.isEmpty() || qEnvironmentVariableIsSet("TARVEL_QUIT_AFTER_SHOW");
    return options;
}

// The layout's fixed sizes were drawn for the Windows controls' metrics;
// a style named on the command line still wins.
bool StyleNamed(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (QString::fromLocal8Bit(argv[i]).startsWith(QStringLiteral("-style")))
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    tarvel::SetCommandLineArguments(argc, argv);
    const bool styleNamed = StyleNamed(argc, argv);
    QApplication application(argc, argv);
    if (!styleNamed)
        QApplication::setStyle(QStringLiteral("Windows"));
    QApplication::setApplicationName(
        QString::fromStdU16String(std::u16string(tarvel::kApplicationTitle)));
    tarvel::QtDialogs dialogs;
    tarvel::TForm1 window(dialogs);
    window.show();
    const ShowOnly options = ReadShowOnly();
    if (options.QuitAfterShow) {
        QTimer::singleShot(0, &window, [&] {
            if (!options.ScreenshotFile.isEmpty() && !window.grab().save(options.ScreenshotFile))
                QApplication::exit(1);
            else
                QApplication::quit();
        });
    }
    return application.exec();
}

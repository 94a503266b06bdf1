#include "host/addinhost.h"
#include "host/firststart.h"
#include "host/mainwindow.h"
#include "platform/qt/addinlist.h"
#include "platform/qt/qtclipboard.h"
#include "platform/qt/qtmessageboxes.h"

#include <QApplication>
#include <QCommandLineParser>

#include <iostream>
#include <memory>
#include <string_view>

namespace {

// Registering, unregistering and the help text need no display.
bool needsWindows(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--register") || arg.starts_with("--unregister") || arg == "--help" || arg == "-h" ||
            arg == "-?")
            return false;
    }
    return true;
}

} // namespace

// quorbel-host: a small development environment with code windows and an
// "Add-Ins" menu that loads the add-ins of the per-user add-in list.
int main(int argc, char **argv)
{
    std::unique_ptr<QCoreApplication> app;
    if (needsWindows(argc, argv))
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorbel-host"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Code windows and an Add-Ins menu for add-in libraries."));
    parser.addHelpOption();
    const QCommandLineOption registerOption(QStringLiteral("register"),
                                            QStringLiteral("Register the add-ins of a library, then exit."),
                                            QStringLiteral("library"));
    const QCommandLineOption unregisterOption(QStringLiteral("unregister"),
                                              QStringLiteral("Unregister the add-ins of a library, then exit."),
                                              QStringLiteral("library"));
    const QCommandLineOption listOption(
        QStringLiteral("addin-list"),
        QStringLiteral("The add-in list to use (default: $QUORBEL_ADDIN_LIST, else the user's own)."),
        QStringLiteral("file"));
    parser.addOptions({registerOption, unregisterOption, listOption});
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Modules (.bas .cls .frm) or projects (.vbp)."),
                                 QStringLiteral("[files...]"));
    parser.process(*app);

    std::string listFile = parser.value(listOption).toStdString();
    if (listFile.empty())
        listFile = qEnvironmentVariable("QUORBEL_ADDIN_LIST").toStdString();

    if (parser.isSet(registerOption) || parser.isSet(unregisterOption)) {
        const bool unregister = parser.isSet(unregisterOption);
        const QString library = parser.value(unregister ? unregisterOption : registerOption);
        const std::string error = quorbel::host::registerLibrary(library.toStdString(), unregister, listFile);
        if (!error.empty()) {
            std::cerr << "quorbel-host: " << error << '\n';
            return 1;
        }
        return 0;
    }

    if (listFile.empty()) {
        try {
            listFile = quorbel::AddInList::defaultFile();
        } catch (const std::exception &error) {
            std::cerr << "quorbel-host: " << error.what() << '\n';
        }
    }

    // An installed host registers the add-in installed with it on its first
    // start; a failure is told and the host starts without it.
    const std::string firstStart = quorbel::host::registerOnFirstStart(
        listFile, quorbel::host::installedAddInLibrary(QCoreApplication::applicationDirPath().toStdString(),
                                                       QUORBEL_INSTALL_LIBDIR));
    if (!firstStart.empty())
        std::cerr << "quorbel-host: the installed add-in was not registered: " << firstStart << '\n';

    quorbel::QtMessageBoxes messages;
    quorbel::QtClipboard clipboard;
    quorbel::host::MainWindow window({messages, clipboard, listFile});
    messages.setParent(&window);
    window.show();
    for (const QString &file : parser.positionalArguments())
        window.openPath(std::filesystem::path(file.toStdString()));
    window.addIns().connectAtStartup();
    return QCoreApplication::exec();
}

#include "app/CommandLine.h"
#include "app/JournalCommands.h"
#include "app/MainWindow.h"
#include "app/ProgressModule.h"
#include "core/ProgramState.h"
#include "core/ViewSize.h"
#include "platform/Clock.h"
#include "platform/Folders.h"
#include "platform/JournalDatabase.h"
#include "platform/Platform.h"
#include "platform/QtDialogs.h"
#include "platform/RandomSource.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"
#include "ui/Theme.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <functional>

int main(int argc, char* argv[])
{
    // Answered before QApplication exists: --help, --version and --check need no display, and
    // a check takes no part in the one running copy.
    const auto programDirectory = [argc, argv]() mutable {
        const QCoreApplication core(argc, argv);
        return SystemFolders().programDirectory();
    };
    const auto answer = CommandLine::answer(CommandLine::arguments(argc, argv), programDirectory);
    if (answer.exitCode)
        return CommandLine::print(answer);
    QCoreApplication::setApplicationName(QStringLiteral("Tambolino"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tambolino"));
    QtSettingsStore settings;
    if (answer.journal) {
        const QCoreApplication core(argc, argv);
        return CommandLine::print(JournalCommands::run(
            *answer.journal, settings, JournalDatabase::pathIn(SystemFolders().dataFolder())));
    }
    // The size chosen in "Ansicht" scales the whole window; Qt takes it only at its start.
    Theme::prepareZoom(ViewSize::load(settings));
    QApplication app(argc, argv);
    Theme::zoomApplied();
    // Only one copy writes the scores; a second start brings the first to the front.
    SingleInstance instance;
    if (!instance.claim())
        return 0;
    // Installed before the window: a signal that comes before the window is there waits for it.
    TerminationSignals termination;
    // Lets the desktop match the window with its menu entry and icon.
    QApplication::setDesktopFileName(QStringLiteral(TAMBOLINO_APP_ID));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication::setFont(Theme::uiFont(9));

    // Qt's own buttons and dialogs speak German too.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    SystemClock clock;
    SystemRandom random(clock);
    SystemFolders folders;
    QtMessageBox messages;
    QtFileDialog files;
    QtBrowser browser;
    QtTextInput input;
    ProgressModule progress(folders.programDirectory());
    Platform platform { clock, random, settings, folders, messages, files, browser, input,
        progress };

    ExerciseRegistry screens = ExerciseRegistry::builtIn();
    screens.setProgressView(std::bind_front(&ProgressModule::openView, &progress));
    ProgramState state;
    MainWindow window(state, platform, std::move(screens));
    QObject::connect(
        &termination, &TerminationSignals::received, &window, &MainWindow::endUnattended);
    QObject::connect(
        &instance, &SingleInstance::activationRequested, &window, &MainWindow::bringToFront);
    window.show();
    return QApplication::exec();
}

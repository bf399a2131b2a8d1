#include "app/PracticeJournal.h"

#include "core/Children.h"
#include "core/ProgramState.h"
#include "frame/ExerciseScreen.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/JournalUpload.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString Title = QStringLiteral("Übungstagebuch");
} // namespace

struct PracticeJournal::Session
{
    QString id; // empty when the session could not be written
    int exercise = 0;
    QDateTime started;
    qint32 pointsAtStart = 0;
    qint32 tasks = 0;
    qint32 errors = 0;
};

PracticeJournal::PracticeJournal(ProgramState& state, Platform& platform, QObject* parent)
    : QObject(parent)
    , m_state(state)
    , m_platform(platform)
{ }

PracticeJournal::~PracticeJournal() = default;

JournalDatabase* PracticeJournal::database()
{
    if (!std::exchange(m_tried, true)) {
        const QString folder = m_platform.folders.dataFolder();
        // Without a data folder the journal would land in the working directory.
        if (folder.isEmpty())
            return nullptr;
        const JournalDatabase::Opened opened = m_database.open(path());
        if (!opened.setAside.isEmpty()) {
            m_told = true;
            m_platform.messages.show(
                QStringLiteral("Das Übungstagebuch war beschädigt und wurde als „%1“ "
                               "beiseitegelegt. Ein neues Tagebuch wurde begonnen; die "
                               "Punktestände sind davon nicht betroffen.")
                    .arg(QFileInfo(opened.setAside).fileName()),
                Title, MessageBox::Buttons::Ok, MessageBox::Icon::Warning);
        }
        if (!opened.ok)
            failed();
        m_database.setClassName(settings().className);
    }
    return m_database.isOpen() ? &m_database : nullptr;
}

QString PracticeJournal::path() const
{
    return JournalDatabase::pathIn(m_platform.folders.dataFolder());
}

QString PracticeJournal::child() const
{
    return Children::journalName(m_state.strPunktedatei);
}

void PracticeJournal::failed()
{
    if (std::exchange(m_told, true))
        return;
    m_platform.messages.show(
        QStringLiteral("Das Übungstagebuch in „%1“ kann nicht geschrieben werden.\n\nDie Übungen "
                       "gehen weiter und die Punktestände werden gespeichert; nur der Fortschritt "
                       "wird nicht aufgezeichnet.")
            .arg(QDir::toNativeSeparators(m_platform.folders.dataFolder())),
        Title, MessageBox::Buttons::Ok, MessageBox::Icon::Warning);
}

const JournalSettings& PracticeJournal::settings()
{
    if (!m_settings)
        m_settings = JournalSettings::read(m_platform.settings);
    return *m_settings;
}

void PracticeJournal::upload()
{
    // The upload reads the local journal; it must exist with its schema first.
    if (!settings().server || !database())
        return;
    if (!m_upload) {
        m_upload = new JournalUpload(path(), *settings().server, this);
        connect(m_upload, &JournalUpload::serverState, this, &PracticeJournal::serverState);
    }
    m_upload->request();
}

void PracticeJournal::record(ExerciseScreen* screen)
{
    auto session = std::make_shared<Session>();
    session->exercise = screen->number();
    session->started = m_platform.clock.now();
    session->pointsAtStart = m_state.ScoreTable(session->exercise);
    if (JournalDatabase* journal = database()) {
        session->id = journal->sessionStarted(child(), session->exercise, session->started,
            session->pointsAtStart, screen->practiceRound());
        if (session->id.isEmpty())
            failed();
    }
    connect(screen, &ExerciseScreen::taskFinished, this,
        [this, session](const TaskResult& result) { taskFinished(*session, result); });
    connect(screen, &ExerciseScreen::sessionEnded, this,
        [this, session](SessionEnd end) { sessionEnded(*session, end); });
}

void PracticeJournal::taskFinished(Session& session, const TaskResult& result)
{
    ++session.tasks;
    session.errors += result.errors;
    if (session.id.isEmpty())
        return;
    if (!m_database.taskFinished(session.id, session.tasks, result, m_platform.clock.now()))
        failed();
    upload();
}

void PracticeJournal::sessionEnded(Session& session, SessionEnd end)
{
    if (session.id.isEmpty())
        return;
    const QDateTime ended = m_platform.clock.now();
    const SessionResult result { session.exercise, session.started.toUTC(), ended.toUTC(),
        qint32(std::max<qint64>(0, session.started.secsTo(ended))), session.tasks, session.errors,
        session.pointsAtStart, m_state.ScoreTable(session.exercise), end };
    if (!m_database.sessionEnded(session.id, result))
        failed();
    upload();
}

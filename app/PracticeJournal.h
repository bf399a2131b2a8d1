#pragma once

#include "platform/JournalDatabase.h"
#include "platform/JournalSettings.h"

#include <QObject>
#include <memory>
#include <optional>

class ExerciseScreen;
class JournalUpload;
struct Platform;
struct ProgramState;

// The practice journal of the running program: tagebuch.sqlite in the data folder, opened at
// its first use, so that the start screen never waits for it. It records every opened exercise
// screen for the child whose score file is current. A journal that fails costs no score and
// stops no exercise; the user is told once. Where the school has a server, every record goes
// there as well, after it is safe in the local journal.
class PracticeJournal : public QObject
{
    Q_OBJECT

public:
    PracticeJournal(ProgramState& state, Platform& platform, QObject* parent = nullptr);
    ~PracticeJournal() override;

    // The journal, opened; nullptr when it cannot be.
    JournalDatabase* database();
    // The name the current child's records go under.
    QString child() const;
    // A session for the screen that has just opened, a task for each task finished on it, and
    // its end when it closes.
    void record(ExerciseScreen* screen);
    // Sends what the school's server has not had yet, off this thread; nothing without a
    // server.
    void upload();

Q_SIGNALS:
    // Whether the last upload reached the school's server.
    void serverState(bool reachable);

private:
    struct Session;
    QString path() const;
    void taskFinished(Session& session, const TaskResult& result);
    void sessionEnded(Session& session, SessionEnd end);
    // The first failure of a run is told; later ones would say nothing new.
    void failed();
    // Read at the first use, not while the window is being built.
    const JournalSettings& settings();

    ProgramState& m_state;
    Platform& m_platform;
    std::optional<JournalSettings> m_settings;
    JournalDatabase m_database;
    JournalUpload* m_upload = nullptr;
    bool m_tried = false;
    bool m_told = false;
};

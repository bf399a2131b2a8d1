#pragma once

#include "platform/JournalRecords.h"

#include <QObject>
#include <QString>

class QThread;

// Takes the records of the local journal to the school's server, off the calling thread: each
// run opens a connection of its own to either, sends what the server has not had, and marks it
// sent in the local journal. The server's schema is made on first contact. Nothing is lost
// when the server cannot be reached: the records wait for the next run.
class JournalUpload : public QObject
{
    Q_OBJECT

public:
    JournalUpload(
        const QString& localJournal, const JournalServer& server, QObject* parent = nullptr);
    // Waits for a run under way: at most the connection's time-out.
    ~JournalUpload() override;

    // Starts a run; during a run, one more follows it.
    void request();

Q_SIGNALS:
    // After each run. `reachable` false: the server could not be reached or refused the
    // records (no connection, wrong password, a schema of a newer program).
    void serverState(bool reachable);
    // After a run that reached the server; `error` tells what went wrong on the way, if
    // anything did.
    void sent(int sessions, int tasks, const QString& error);

private:
    struct Outcome
    {
        bool reachable = false;
        int sessions = 0;
        int tasks = 0;
        QString error;
    };
    static Outcome run(const QString& localJournal, const JournalServer& server);
    void start();

    QString m_localJournal;
    JournalServer m_server;
    QThread* m_thread = nullptr;
    bool m_again = false;
};

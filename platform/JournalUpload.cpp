#include "platform/JournalUpload.h"

#include "platform/JournalDatabase.h"

#include <QFileInfo>
#include <QThread>
#include <memory>

JournalUpload::JournalUpload(
    const QString& localJournal, const JournalServer& server, QObject* parent)
    : QObject(parent)
    , m_localJournal(localJournal)
    , m_server(server)
{ }

JournalUpload::~JournalUpload()
{
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void JournalUpload::request()
{
    if (m_thread)
        m_again = true;
    else
        start();
}

void JournalUpload::start()
{
    m_again = false;
    auto outcome = std::make_shared<Outcome>();
    m_thread = QThread::create(
        [outcome, local = m_localJournal, server = m_server] { *outcome = run(local, server); });
    connect(m_thread, &QThread::finished, this, [this, outcome] {
        m_thread->deleteLater();
        m_thread = nullptr;
        if (outcome->reachable)
            Q_EMIT sent(outcome->sessions, outcome->tasks, outcome->error);
        Q_EMIT serverState(outcome->reachable);
        if (m_again)
            start();
    });
    m_thread->start(QThread::LowPriority);
}

JournalUpload::Outcome JournalUpload::run(const QString& localJournal, const JournalServer& server)
{
    Outcome outcome;
    JournalDatabase remote;
    if (!remote.openServer(server).ok) {
        outcome.error = remote.lastError();
        return outcome;
    }
    outcome.reachable = true;
    // No journal yet: nothing to send. A damaged one is for the program to set aside.
    if (!QFileInfo::exists(localJournal))
        return outcome;
    JournalDatabase local;
    JournalDatabase::Sent sent;
    if (!local.open(localJournal, JournalDatabase::Damage::Refuse).ok
        || !local.sendTo(remote, &sent)) {
        outcome.error = local.lastError();
        outcome.reachable = !sent.serverFailed;
    }
    outcome.sessions = sent.sessions;
    outcome.tasks = sent.tasks;
    return outcome;
}

#pragma once

#include <QObject>
#include <QString>

// One running copy per user, so that only one copy writes the scores. The first copy holds a
// lock in the user's runtime folder for its whole run and listens on a local socket beside it;
// a later copy asks it through the socket to come to the front, and ends. A copy that was
// killed leaves nothing that stops the next start: the system drops its lock.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    // `folder` holds lock and socket; by default the user's runtime folder.
    explicit SingleInstance(const QString& folder = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when no other copy runs: this one now holds the lock and listens. False when
    // another runs; it was asked to come to the front. Needs the application object.
    bool claim();

Q_SIGNALS:
    // A later copy was started while this one runs.
    void activationRequested();

private:
    bool takeLock();
    void listen();
    void askRunningCopy() const;

    QString m_lockPath;
    QString m_socketPath;
    int m_lock = -1;
    int m_listener = -1;
};

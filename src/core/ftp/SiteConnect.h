#pragma once

#include "core/ftp/CFtpSet.h"
#include "core/ftp/RemoteSession.h"

#include <QString>

#include <functional>
#include <memory>

class CKelvoApp;
class CNorvaneFtp;
class TaskRunner;

// A client made, used and ended on the runner's thread: its sockets belong
// to the thread that opened them.
class RunnerClient {
public:
    explicit RunnerClient(TaskRunner& runner);
    ~RunnerClient();
    RunnerClient(const RunnerClient&) = delete;
    RunnerClient& operator=(const RunnerClient&) = delete;

    TaskRunner& Runner() { return m_runner; }
    CNorvaneFtp& Client() { return *m_client; }
    // Makes a new client, lets fill set it up and connects it, showing the
    // two lines in the status window.
    bool Connect(const std::function<void(CNorvaneFtp&)>& fill, const QString& line1, const QString& line2,
                 int timeoutSeconds);
    // What the last Connect found of the server's identity, and why this
    // side refused it (empty when it did not).
    RemotePeerIdentity Peer() const { return m_peer; }
    QString Refusal() const { return m_refusal; }
    // Why the last Connect failed otherwise (the server's reply).
    QString Cause() const { return m_cause; }

private:
    TaskRunner& m_runner;
    std::unique_ptr<CNorvaneFtp> m_client;
    RemotePeerIdentity m_peer;
    QString m_refusal;
    QString m_cause;
};

// Connects the client to the site, in the folder given (empty: the login
// folder). A certificate or host key that does not verify is shown, and on
// the user's word trusted for this connection or for the site (its
// fingerprint saved with it). One that differs from the trusted one is
// refused with the warning, as is any other refusal; `failure` covers the
// rest. False when not connected, after the message was shown.
bool ConnectSite(CKelvoApp& app, RunnerClient& session, CFtpSet site, const QString& folder,
                 const char16_t* failure);

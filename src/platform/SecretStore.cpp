#include "platform/SecretStore.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <qt6keychain/keychain.h>

namespace platform {
namespace {

const QString kService = QStringLiteral("kelvopad");
// The service asks the user to unlock the keyring; an answer may take that
// long, and none at all must not hold the program.
constexpr int kWaitMs = 120000;

// Runs a job to its end in a local event loop: the callers read and write
// settings synchronously.
bool Finish(QKeychain::Job& job)
{
    job.setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    return job.error() == QKeychain::NoError;
}

class KeychainStore final : public SecretStore {
public:
    bool Available() override
    {
        if (!m_available) {
            // Without a session bus the service cannot run, and asking it
            // would start one.
            m_available = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
                && QCoreApplication::instance() != nullptr && Probe();
        }
        return *m_available;
    }

    std::optional<QString> Read(const QString& key) override
    {
        if (!Available())
            return std::nullopt;
        QKeychain::ReadPasswordJob job(kService);
        job.setKey(key);
        if (!Finish(job))
            return std::nullopt;
        return job.textData();
    }

    bool Write(const QString& key, const QString& secret) override
    {
        if (!Available())
            return false;
        QKeychain::WritePasswordJob job(kService);
        job.setKey(key);
        job.setTextData(secret);
        return Finish(job);
    }

private:
    static bool Probe()
    {
        QKeychain::ReadPasswordJob job(kService);
        job.setKey(QStringLiteral("probe"));
        Finish(job);
        return job.error() == QKeychain::NoError || job.error() == QKeychain::EntryNotFound;
    }

    std::optional<bool> m_available;
};

SecretStore* g_override = nullptr;

} // namespace

SecretStore& Secrets()
{
    if (g_override)
        return *g_override;
    static KeychainStore store;
    return store;
}

void SetSecrets(SecretStore* store)
{
    g_override = store;
}

} // namespace platform

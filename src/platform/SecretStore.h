#pragma once

#include <QString>

#include <optional>

namespace platform {

// Where secrets (site passwords) are kept apart from the settings file: the
// desktop's secret service when one answers. Callers keep their own plain
// form when Available is false.
class SecretStore {
public:
    virtual ~SecretStore() = default;
    virtual bool Available() = 0;
    // nullopt when there is no such secret or the service cannot be asked.
    virtual std::optional<QString> Read(const QString& key) = 0;
    virtual bool Write(const QString& key, const QString& secret) = 0;
};

// The program's store: the secret service of the desktop session, asked
// once whether it answers; without a session bus (tests, a console) none.
SecretStore& Secrets();
// Replaces the program's store (tests); null restores it.
void SetSecrets(SecretStore* store);

} // namespace platform

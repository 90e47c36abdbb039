#include "TestRegistry.h"

#include "platform/DesktopOpener.h"

#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>
#include <optional>

namespace {

// Sets environment variables for the scope; the old values come back.
class EnvironmentScope {
public:
    void Set(const char* name, const QByteArray& value)
    {
        Remember(name);
        qputenv(name, value);
    }
    void Unset(const char* name)
    {
        Remember(name);
        qunsetenv(name);
    }
    ~EnvironmentScope()
    {
        for (const auto& [name, value] : m_old) {
            if (value)
                qputenv(name.constData(), *value);
            else
                qunsetenv(name.constData());
        }
    }

private:
    void Remember(const char* name)
    {
        if (!m_old.count(name))
            m_old[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    }
    std::map<QByteArray, std::optional<QByteArray>> m_old;
};

} // namespace

class TestDesktopOpener : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The desktop's real opener, on a desktop where it finds no browser
    // (no associations, no desktop session, BROWSER naming what is not
    // installed), and where "true" stands for a browser that starts.
    void tellsWhetherAProgramWasStarted_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("browser");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("shown");
        QTest::newRow("no opener on PATH") << QByteArray("/nonexistent") << QByteArray("true")
                                           << false << false;
        QTest::newRow("no browser installed") << QByteArray("/usr/bin:/bin")
                                              << QByteArray("kelvo-no-such-browser") << true << false;
        QTest::newRow("a browser that starts") << QByteArray("/usr/bin:/bin") << QByteArray("true")
                                               << true << true;
    }
    void tellsWhetherAProgramWasStarted()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, browser);
        QFETCH(bool, started);
        QFETCH(bool, shown);
        QTemporaryDir empty;
        const QByteArray none = QFile::encodeName(empty.path());
        EnvironmentScope env;
        env.Set("PATH", path);
        env.Set("BROWSER", browser);
        env.Set("HOME", none);
        for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
            env.Set(name, none);
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP",
                                 "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
            env.Unset(name);
        const QString page = empty.filePath(QStringLiteral("page.html"));
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<p>x</p>\n");
        file.close();

        // Shared: an opener that outlives a failed test writes nothing freed.
        const auto result = std::make_shared<std::optional<bool>>();
        QCOMPARE(platform::StartDesktopOpener(page, [result](bool ok) { *result = ok; }), started);
        if (!started)
            return;
        QTRY_VERIFY_WITH_TIMEOUT(result->has_value(), 60000);
        QCOMPARE(**result, shown);
    }
};

KELVO_TEST(TestDesktopOpener, "DesktopOpener");
#include "tst_DesktopOpener.moc"

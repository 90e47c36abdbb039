#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/doc/CKelvoDoc.h"
#include "core/doc/RecoveryJournal.h"
#include "platform/FileAccess.h"

#include <QDir>
#include <QTest>

#include <memory>

class TestRecoveryJournal : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_data;
    QByteArray m_oldData;

    static QByteArray SoundJournal()
    {
        return QByteArray("KELVOPAD-JOURNAL 1\npath=%2Fa.html\ncode=Utf8\nlineEnd=Lf\n"
                          "time=2026-12-08T10:00:00.000Z\n\na\0b\0", 90);
    }

    QStringList Journals() const
    {
        return QDir(RecoveryJournal::Folder()).entryList({QStringLiteral("*.journal")}, QDir::Files);
    }

private Q_SLOTS:
    void init()
    {
        m_data = std::make_unique<QTemporaryDir>();
        m_oldData = qgetenv("KELVO_DATA_DIR");
        qputenv("KELVO_DATA_DIR", QFile::encodeName(m_data->path()));
    }
    void cleanup() { qputenv("KELVO_DATA_DIR", m_oldData); }

    // What a journal holds comes back as it was; once removed, none is
    // left, also when a write was still under way.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("native");  // the file's name as bytes, empty when new
        QTest::addColumn<QString>("text");
        QTest::newRow("new document") << QByteArray() << QStringLiteral("<p>下書き</p>\r\n");
        QTest::newRow("file with a CP932 name") << QByteArray("/site/\x83\x79\x81\x5b\x83\x57.html")
                                                << QStringLiteral("本文");
        QTest::newRow("text holding kept bytes and a large page")
            << QByteArray("/site/a.html")
            << QString(QChar(0xDC81)) + QString(3'000'000, u'あ') + QString(QChar(0xDC00));
    }
    void roundTrip()
    {
        QFETCH(QByteArray, native);
        QFETCH(QString, text);
        JournalEntry entry;
        entry.path = native.isEmpty() ? QString() : platform::DecodePath(native);
        entry.code = CodeKind::Euc;
        entry.lineEnd = LineEndKind::Lf;
        entry.time = QDateTime::currentDateTime();
        entry.original.size = 12;
        entry.original.digest = 0xfedcba9876543210ull;
        entry.text = text;
        RecoveryJournal journal;
        QVERIFY(journal.Write(entry));
        journal.Flush();
        QCOMPARE(Journals().size(), 1);
        const std::optional<JournalEntry> read =
            RecoveryJournal::Read(RecoveryJournal::Folder() + Journals().front());
        QVERIFY(read);
        QCOMPARE(platform::EncodePath(read->path), native);
        QCOMPARE(read->code, entry.code);
        QCOMPARE(read->lineEnd, entry.lineEnd);
        QCOMPARE(read->original.digest, entry.original.digest);
        QVERIFY(read->text == text);
        QVERIFY(journal.Write(entry));
        journal.Remove();
        QVERIFY(Journals().isEmpty());
    }

    // A journal another run left damaged is passed over and removed:
    // nothing is asked, nothing is restored. Each row damages one part of
    // a journal that is read as it stands.
    void damagedJournal_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray sound = SoundJournal();
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut in its header") << sound.left(40);
        QTest::newRow("no time") << QByteArray(sound).replace("time=", "tame=");
        QTest::newRow("text cut in a character") << sound.chopped(1);
        QTest::newRow("unknown code") << QByteArray(sound).replace("=Utf8", "=UTF-8");
        QTest::newRow("unknown line end") << QByteArray(sound).replace("=Lf", "=CR LF");
        QTest::newRow("another program's file") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    }
    void damagedJournal()
    {
        QFETCH(QByteArray, bytes);
        const QString sound = m_data->filePath(QStringLiteral("sound.journal"));
        QVERIFY(WriteBytes(sound, SoundJournal()));
        QVERIFY(RecoveryJournal::Read(sound));
        QVERIFY(QDir().mkpath(RecoveryJournal::Folder()));
        const QString file = RecoveryJournal::Folder() + QStringLiteral("1-0.journal");
        QVERIFY(WriteBytes(file, bytes));
        TestEditor t;
        QVERIFY(!t.Doc().OfferRecovery());
        QVERIFY(t.Ui().Records().empty());
        QVERIFY(!QFile::exists(file));
    }

    // A data folder that takes no file: editing goes on, and the user is
    // told once that nothing can be recovered.
    void unwritableDataFolder()
    {
        const QString blocker = m_data->filePath(QStringLiteral("file"));
        QVERIFY(WriteBytes(blocker, "x"));
        qputenv("KELVO_DATA_DIR", QFile::encodeName(blocker + QStringLiteral("/data")));
        TestEditor t;
        for (int i = 0; i < 3; ++i) {
            t.Buffer().ReplaceSel(QStringLiteral("a"));
            t.Doc().WriteJournal();
        }
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")).size(), 1);
        QCOMPARE(t.Text().right(3), QStringLiteral("aaa"));
    }
};
KELVO_TEST(TestRecoveryJournal, "RecoveryJournal");
#include "tst_RecoveryJournal.moc"

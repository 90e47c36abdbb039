#pragma once

#include "core/app/HeadlessEditor.h"
#include "core/app/ScriptedUi.h"
#include "platform/SettingsStore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

QByteArray ReadBytes(const QString& path);
bool WriteBytes(const QString& path, const QByteArray& bytes);
// glibc iconv, an independent reference for the code conversions; empty
// when iconv refuses the input.
QByteArray Iconv(const char* from, const char* to, const QByteArray& in);

// File access as an ordinary user (nobody) for the scope, also when the
// tests run as root, whose permissions would otherwise always allow: what
// a read-only file or folder refuses is then refused. Only file access
// changes; the files the scope touches must be reachable by that user.
// A device node made in the test's own folder that works as /dev/null
// (or /dev/zero), so that no test writes into the machine's own.
bool MakeNullDevice(const QString& path);
bool MakeZeroDevice(const QString& path);

// Makes the files the ordinary user's own (as root; otherwise they are the
// tester's already), so that an AsOrdinaryUser scope meets them as a user
// meets files of their own.
bool GiveToOrdinaryUser(const QStringList& paths);

class AsOrdinaryUser {
public:
    AsOrdinaryUser();
    ~AsOrdinaryUser();
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
    bool m_root;
};

// A headless editor with its own settings and files in a temporary folder;
// nothing touches the user's settings.
class TestEditor {
public:
    TestEditor();
    ~TestEditor();

    // Settings written before the editor starts, as by an earlier run.
    platform::SettingsStore& Settings() { return *m_settings; }
    ScriptedUi& Ui() { return m_ui; }
    HeadlessEditor& Editor();
    CKelvoApp& App() { return Editor().App(); }
    CKelvoDoc& Doc() { return Editor().Doc(); }
    CKelvoView& View() { return Editor().View(); }
    MemoryEditBuffer& Buffer() { return Editor().Buffer(); }

    // A path in the temporary folder.
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // Writes the bytes to a file of that name and gives its path.
    QString MakeFile(const QString& name, const QByteArray& bytes) const;

    // Puts the text (CR LF line ends) into the buffer and the selection.
    void SetText(const QString& text, int selStart = 0, int selEnd = -1);
    QString Text() { return Buffer().GetText(); }
    QString Selection();
    bool Run(int id) { return Editor().Run(id); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<platform::SettingsStore> m_settings;
    ScriptedUi m_ui;
    std::unique_ptr<HeadlessEditor> m_editor;
};

#include "TestFiles.h"

#include <QFile>

#include <iconv.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray Iconv(const char* from, const char* to, const QByteArray& in)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QByteArray();
    QByteArray out(in.size() * 4 + 16, '\0');
    char* ip = const_cast<char*>(in.constData());
    char* op = out.data();
    size_t il = in.size(), ol = out.size();
    const size_t r = iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1))
        return QByteArray();
    out.truncate(out.size() - ol);
    return out;
}

static bool MakeCharDevice(const QString& path, unsigned minor)
{
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, minor)) == 0;
}

bool MakeNullDevice(const QString& path)
{
    return MakeCharDevice(path, 3);
}

bool MakeZeroDevice(const QString& path)
{
    return MakeCharDevice(path, 5);
}

bool GiveToOrdinaryUser(const QStringList& paths)
{
    if (geteuid() != 0)
        return true;
    for (const QString& path : paths)
        if (::chown(QFile::encodeName(path).constData(), 65534, 65534) != 0)
            return false;
    return true;
}

AsOrdinaryUser::AsOrdinaryUser() : m_root(geteuid() == 0)
{
    if (m_root)
        setfsuid(65534);
}

AsOrdinaryUser::~AsOrdinaryUser()
{
    if (m_root)
        setfsuid(0);
}

TestEditor::TestEditor()
    : m_settings(std::make_unique<platform::SettingsStore>(m_dir.filePath(QStringLiteral("kelvo.ini"))))
{
}

TestEditor::~TestEditor() = default;

HeadlessEditor& TestEditor::Editor()
{
    if (!m_editor) {
        m_editor = std::make_unique<HeadlessEditor>(*m_settings, m_ui);
        m_editor->App().LoadSettings(10);
    }
    return *m_editor;
}

QString TestEditor::MakeFile(const QString& name, const QByteArray& bytes) const
{
    const QString path = Path(name);
    WriteBytes(path, bytes);
    return path;
}

void TestEditor::SetText(const QString& text, int selStart, int selEnd)
{
    Buffer().SetText(text);
    Buffer().SetSel(selStart, selEnd < 0 ? selStart : selEnd);
}

QString TestEditor::Selection()
{
    int s = 0, e = 0;
    Buffer().GetSel(s, e);
    return Buffer().GetText().mid(s, e - s);
}

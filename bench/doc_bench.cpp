// Load and save throughput of the document pipeline next to iconv doing the
// same conversion on the same file, in the same run, for each character
// code; and the peak memory of each step relative to the file's size.
//
// usage: doc_bench [--mb N] [--runs N] [--keep DIR] [--roundtrip] [--tool PATH]
// --roundtrip measures only the unchanged round trip of kelvo-tool (or the
// given one) against iconv.
// Each measurement runs in a fresh child process so that its peak memory is
// its own.

#include "core/app/HeadlessEditor.h"
#include "core/app/ScriptedUi.h"
#include "core/doc/DocumentCodec.h"
#include "platform/Cp932.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>
#include <iconv.h>
#include <sys/resource.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Kind {
    const char* name;
    CodeKind code;
    const char* iconvName;
};

const Kind kKinds[] = {
    {"ShiftJis", CodeKind::ShiftJis, "CP932"},
    {"Jis", CodeKind::Jis, "ISO-2022-JP"},
    {"Euc", CodeKind::Euc, "EUC-JP-MS"},
    {"Utf8", CodeKind::Utf8, "UTF-8"},
};

long CurrentRssKb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

long PeakRssKb()
{
    struct rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

QByteArray Iconv(const char* from, const char* to, const char* data, size_t size)
{
    iconv_t cd = iconv_open(to, from);
    QByteArray out(static_cast<qsizetype>(size * 2 + 64), Qt::Uninitialized);
    char* ip = const_cast<char*>(data);
    char* op = out.data();
    size_t il = size, ol = static_cast<size_t>(out.size());
    while (il > 0) {
        if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1)) {
            if (errno == E2BIG) {
                const qsizetype used = op - out.data();
                out.resize(out.size() * 2);
                op = out.data() + used;
                ol = static_cast<size_t>(out.size() - used);
                continue;
            }
            // Skip what iconv cannot take; the corpus has none.
            ++ip;
            --il;
        }
    }
    iconv(cd, nullptr, nullptr, &op, &ol);
    out.truncate(op - out.data());
    iconv_close(cd);
    return out;
}

// A Japanese page: headings, paragraphs of kanji and kana with ASCII
// markup, LF line ends. No half-width katakana, so that iconv can write
// every code from it (ISO-2022-JP has none).
QString MakeCorpus(qsizetype targetBytes)
{
    QString jis0208;
    for (uint h = 0x30; h <= 0x4F; ++h)
        for (uint l = 0x21; l <= 0x7E; ++l) {
            QByteArray euc(2, '\0');
            euc[0] = char(h | 0x80);
            euc[1] = char(l | 0x80);
            const QByteArray sjis = Iconv("EUC-JP-MS", "CP932", euc.constData(), 2);
            if (sjis.size() == 2)
                jis0208 += platform::Cp932ToUnicode(sjis);
        }
    const QString kana = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをんアイウエオカキクケコ、。");
    QRandomGenerator rng(42);
    QString out;
    out.reserve(targetBytes);
    out += QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<HTML>\n<HEAD>\n<TITLE>試験ページ</TITLE>\n</HEAD>\n<BODY>\n");
    qsizetype bytes = 0;
    int para = 0;
    while (bytes < targetBytes) {
        QString line = QStringLiteral("<P CLASS=\"p%1\">").arg(para++ % 7);
        const int n = 20 + int(rng.bounded(60));
        for (int i = 0; i < n; ++i) {
            if (rng.bounded(3) == 0)
                line += jis0208[rng.bounded(int(jis0208.size()))];
            else
                line += kana[rng.bounded(int(kana.size()))];
            if (rng.bounded(25) == 0)
                line += QStringLiteral("<A HREF=\"page%1.html\">link</A>").arg(rng.bounded(100));
        }
        line += QStringLiteral("</P>\n");
        // Size in Shift-JIS: two bytes a Japanese character, one for ASCII.
        for (QChar c : line)
            bytes += c.unicode() < 0x80 ? 1 : 2;
        out += line;
    }
    out += QStringLiteral("</BODY>\n</HTML>\n");
    return out;
}

// Child: one measurement, printed as "seconds peakKb".
int RunChild(const QString& op, const QString& path, const Kind& kind)
{
    // Fill the code page tables first: they are built once per program run.
    platform::Cp932ToUnicode(QByteArray("\x88\x9f"));
    QTemporaryDir cfg;
    platform::SettingsStore store(cfg.filePath(QStringLiteral("kelvo.ini")));
    ScriptedUi ui;
    HeadlessEditor editor(store, ui);
    const QString out = path + QStringLiteral(".out");
    QString text16;
    QByteArray utf16;
    auto failed = [&](const char* what) {
        std::fprintf(stderr, "%s of %s failed\n", what, qPrintable(path));
        return 1;
    };
    if (op == u"save" && !editor.App().OpenDocumentFile(path))
        return failed("load");
    if (op == u"iconv-save") {
        const QByteArray bytes = ReadFile(path);
        utf16 = Iconv(kind.iconvName, "UTF-16LE", bytes.constData(), size_t(bytes.size()));
    }
    const long base = CurrentRssKb();
    QElapsedTimer timer;
    timer.start();
    if (op == u"load") {
        if (!editor.App().OpenDocumentFile(path))
            return failed("load");
    } else if (op == u"save") {
        if (!editor.Doc().OnSaveDocument(out))
            return failed("save");
    } else if (op == u"iconv-load") {
        const QByteArray bytes = ReadFile(path);
        const QByteArray decoded = Iconv(kind.iconvName, "UTF-16LE", bytes.constData(),
                                         size_t(bytes.size()));
        if (decoded.isEmpty())
            return 1;
    } else if (op == u"iconv-save") {
        WriteFile(out, Iconv("UTF-16LE", kind.iconvName, utf16.constData(), size_t(utf16.size())));
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("%.6f %ld %ld\n", seconds, PeakRssKb() - base, PeakRssKb());
    QFile::remove(out);
    return 0;
}

// A command line run to its end: wall time (-1 when it failed) and the
// peak memory of that process alone.
struct Run {
    double seconds = -1;
    long peakKb = 0;
};

Run RunProcess(const QString& program, const QStringList& args, const QString& output = QString())
{
    std::vector<QByteArray> storage{QFile::encodeName(program)};
    for (const QString& a : args)
        storage.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : storage)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!output.isEmpty())
        posix_spawn_file_actions_addopen(&actions, 1, QFile::encodeName(output).constData(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    Run r;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        struct rusage usage {};
        if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            r.seconds = timer.nsecsElapsed() / 1e9;
            r.peakKb = usage.ru_maxrss;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return r;
}

// An unchanged file through `kelvo-tool convert` (read, detect, decode,
// encode, write and sync) next to one iconv process converting the file
// from its code to the same code into a file, alone and followed by a sync
// of that file; best of the runs. The tool's peak memory is compared with
// the text it holds (two bytes a UTF-16 character) plus twice the file.
struct RoundTrip {
    double tool = 1e9;
    double iconv = 1e9;
    double iconvSynced = 1e9;
    long toolPeakKb = 0;
    bool exact = false;
};

RoundTrip MeasureRoundTrip(const QString& tool, const QString& path, const Kind& kind, int runs)
{
    RoundTrip r;
    const QString out = path + QStringLiteral(".rt");
    const QString name = QLatin1String(kind.iconvName);
    for (int i = 0; i < runs; ++i) {
        // A child's peak memory starts at its parent's (the corpus held
        // here), so the tool's own is taken by /usr/bin/time.
        const QString mem = path + QStringLiteral(".mem");
        const Run t = RunProcess(QStringLiteral("/usr/bin/time"),
                                 {QStringLiteral("-f"), QStringLiteral("%M"), QStringLiteral("-o"), mem, tool,
                                  QStringLiteral("convert"), path, out});
        if (t.seconds >= 0 && t.seconds < r.tool) {
            r.tool = t.seconds;
            r.toolPeakKb = ReadFile(mem).trimmed().toLong();
        }
        QFile::remove(mem);
        if (i == 0)
            r.exact = ReadFile(out) == ReadFile(path);
        QFile::remove(out);
        const Run s = RunProcess(QStringLiteral("iconv"), {QStringLiteral("-f"), name, QStringLiteral("-t"), name, path}, out);
        if (s.seconds >= 0 && s.seconds < r.iconv)
            r.iconv = s.seconds;
        QFile::remove(out);
        const Run y = RunProcess(QStringLiteral("/bin/sh"),
                                 {QStringLiteral("-c"),
                                  QStringLiteral("iconv -f %1 -t %1 '%2' > '%3' && sync '%3'").arg(name, path, out)});
        if (y.seconds >= 0 && y.seconds < r.iconvSynced)
            r.iconvSynced = y.seconds;
        QFile::remove(out);
    }
    return r;
}

struct Measure {
    double seconds = 1e9;
    long peakKb = 0;
    bool Ran() const { return seconds < 1e9; }
};

Measure RunMeasured(const QString& op, const QString& path, const Kind& kind, int runs)
{
    Measure best;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), op, path, QString::fromLatin1(kind.name)});
        p.waitForFinished(-1);
        // A step that failed has no time: the targets are then not met.
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            continue;
        const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
        if (f.size() < 2)
            continue;
        const double s = f[0].toDouble();
        if (s < best.seconds)
            best.seconds = s;
        best.peakKb = std::max(best.peakKb, f[1].toLong());
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 5 && args[1] == u"--child") {
        for (const Kind& k : kKinds)
            if (args[4] == QLatin1String(k.name))
                return RunChild(args[2], args[3], k);
        return 2;
    }
    int mb = 50;
    int runs = 3;
    QString keep;
    QString tool = QStringLiteral(KELVO_TOOL_PATH);
    bool roundTripOnly = args.contains(QStringLiteral("--roundtrip"));
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--tool")
            tool = args[++i];
        else if (args[i] == u"--mb")
            mb = args[++i].toInt();
        else if (args[i] == u"--runs")
            runs = args[++i].toInt();
        else if (args[i] == u"--keep")
            keep = args[++i];
    }
    QTemporaryDir tmp;
    const QString dir = keep.isEmpty() ? tmp.path() : keep;
    QDir().mkpath(dir);

    std::printf("building a %d MB corpus...\n", mb);
    const QString corpus = MakeCorpus(qsizetype(mb) * 1024 * 1024);
    const QByteArray utf16(reinterpret_cast<const char*>(corpus.utf16()), corpus.size() * 2);

    std::printf("\n%-9s %8s | %-26s | %-26s | %9s %9s\n", "code", "file MB", "load MB/s (pipeline/iconv)",
                "save MB/s (pipeline/iconv)", "load mem", "save mem");
    bool allMet = true;
    for (const Kind& k : kKinds) {
        if (roundTripOnly)
            break;
        const QString path = dir + QStringLiteral("/corpus-%1.html").arg(QLatin1String(k.name));
        const QByteArray bytes = Iconv("UTF-16LE", k.iconvName, utf16.constData(), size_t(utf16.size()));
        WriteFile(path, bytes);
        const double fileMb = bytes.size() / 1048576.0;
        const Measure load = RunMeasured(QStringLiteral("load"), path, k, runs);
        const Measure iload = RunMeasured(QStringLiteral("iconv-load"), path, k, runs);
        const Measure save = RunMeasured(QStringLiteral("save"), path, k, runs);
        const Measure isave = RunMeasured(QStringLiteral("iconv-save"), path, k, runs);
        const double loadRatio = iload.seconds / load.seconds;
        const double saveRatio = isave.seconds / save.seconds;
        const double loadMem = load.peakKb / 1024.0 / fileMb;
        const double saveMem = save.peakKb / 1024.0 / fileMb;
        std::printf("%-9s %8.1f | %7.1f / %7.1f  (%4.2fx) | %7.1f / %7.1f  (%4.2fx) | %7.2fx %7.2fx\n",
                    k.name, fileMb, fileMb / load.seconds, fileMb / iload.seconds, loadRatio,
                    fileMb / save.seconds, fileMb / isave.seconds, saveRatio, loadMem, saveMem);
        const bool allRan = load.Ran() && iload.Ran() && save.Ran() && isave.Ran();
        if (!allRan)
            std::printf("%-9s a step failed\n", k.name);
        allMet = allMet && allRan && loadRatio >= 0.5 && saveRatio >= 0.5 && loadMem < 6 && saveMem < 6;
        if (keep.isEmpty())
            QFile::remove(path);
    }
    std::printf("\nunchanged round trip: kelvo-tool convert IN OUT against one\n"
                "iconv -f X -t X IN > OUT, alone and with a sync of OUT (best of %d)\n", runs);
    std::printf("%-9s %8s | %8s %8s %8s | %6s %6s | %9s %9s | %s\n", "code", "file MB", "tool s",
                "iconv s", "+sync s", "ratio", "+sync", "peak MB", "limit MB", "bytes");
    for (const Kind& k : kKinds) {
        const QString path = dir + QStringLiteral("/roundtrip-%1.html").arg(QLatin1String(k.name));
        const QByteArray bytes = Iconv("UTF-16LE", k.iconvName, utf16.constData(), size_t(utf16.size()));
        WriteFile(path, bytes);
        const RoundTrip rt = MeasureRoundTrip(tool, path, k, runs);
        const double ratio = rt.tool / rt.iconv;
        const double synced = rt.tool / rt.iconvSynced;
        const double peakMb = rt.toolPeakKb / 1024.0;
        const double limitMb = (utf16.size() + 2.0 * bytes.size()) / 1048576.0;
        std::printf("%-9s %8.1f | %8.3f %8.3f %8.3f | %5.2fx %5.2fx | %9.1f %9.1f | %s\n", k.name,
                    bytes.size() / 1048576.0, rt.tool, rt.iconv, rt.iconvSynced, ratio, synced, peakMb,
                    limitMb, rt.exact ? "same" : "DIFFER");
        // The tool syncs the file it writes (a save must survive a power
        // cut), iconv does not: the fair measure is iconv with the sync.
        allMet = allMet && rt.exact && synced <= 1.0 && peakMb <= limitMb;
        if (keep.isEmpty())
            QFile::remove(path);
    }
    std::printf("(ratio: tool time over iconv's; +sync: over iconv's with the sync the tool\n"
                "does, target <= 1.00x; peak: the tool's peak memory, limit: its text in\n"
                "UTF-16 plus twice the file; and the same bytes)\n");
    std::printf("\n(x) after MB/s: pipeline speed as a share of iconv's (target >= 0.50x);\n"
                "mem: peak memory above the start of the step, in file sizes (target < 6x;\n"
                "save holds the loaded text as well).\n");
    std::printf("targets %s\n", allMet ? "met" : "NOT met");
    return allMet ? 0 : 2;
}

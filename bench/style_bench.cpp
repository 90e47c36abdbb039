// A large style sheet file read and written back as the editor does it:
// the file decoded, read into rules, written back and encoded. Two ways:
// the style list (unchanged rules as they stood: the same bytes) and
// "kelvo-tool css" (every rule in the block form). Each runs in a process
// of its own, so that its CPU time and its peak memory are its own.
//
// Beside them: the floor (the same file only decoded and encoded again,
// what any reading and writing of it costs) and the peer, tinycss2 parsing
// the same file (Debian's python3-tinycss2; its interpreter's own start is
// measured apart and taken off).
//
// Targets for a 5 MB sheet: under 0.5 s of CPU, under 10 times the file
// in memory (peak resident size above that of a process that only forked).
//
// usage: style_bench [--mb N] [--runs N]

#include "BenchRuns.h"

#include "core/doc/DocumentCodec.h"
#include "core/style/CStyleSheet.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

QByteArray MakeSheet(qsizetype bytes)
{
    QString text;
    for (int i = 0; text.size() < bytes; ++i) {
        text += QStringLiteral("/* 規則 %1 */\r\n").arg(i);
        text += QStringLiteral("DIV#box%1 P.note:first-line, H%2 A:hover {\r\n").arg(i).arg(i % 6 + 1);
        text += QStringLiteral("\tfont: italic bold 12px/1.5em 'MS Gothic';\r\n"
                               "\tbackground: #ffeecc url(img/back.gif) no-repeat fixed;\r\n"
                               "\tborder: solid #000000 1px;margin: 1px 2px 3px;\r\n"
                               "\tcolor: red; cursor: pointer;\r\n}\r\n");
        text += QStringLiteral(
                    "@media screen and (max-width: 600px) {\r\n"
                    "  .c%1::before { content: \"a;b}\" !important; background: "
                    "url(data:image/png;base64,iVBORw0KGgo=) }\r\n}\r\n")
                    .arg(i);
        // Minified, as frameworks ship their sheets.
        text += QStringLiteral(".btn-%1{display:inline-block;padding:5px 16px;"
                               "color:var(--fg, #24292f);border:1px solid}"
                               ".btn-%1[aria-disabled=true]:hover{cursor:default}\r\n")
                    .arg(i);
    }
    return TextToUtf8(text);
}

struct Usage {
    double cpu = -1;     // seconds, user and system
    double peakMb = -1;  // peak resident size
    bool ok = false;
};

double Seconds(const timeval& t)
{
    return t.tv_sec + t.tv_usec / 1e6;
}

// Runs the step in a child process; its CPU time and peak resident size.
Usage InChild(const std::function<bool()>& step)
{
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0)
        _exit(step() ? 0 : 1);
    int status = 0;
    rusage r{};
    if (pid < 0 || wait4(pid, &status, 0, &r) != pid)
        return {};
    return {Seconds(r.ru_utime) + Seconds(r.ru_stime), r.ru_maxrss / 1024.0,
            WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

Usage BestInChild(int runs, const std::function<bool()>& step)
{
    Usage best;
    for (int i = 0; i < runs; ++i) {
        const Usage u = InChild(step);
        if (!u.ok)
            return u;
        if (best.cpu < 0 || u.cpu < best.cpu)
            best.cpu = u.cpu;
        best.peakMb = std::max(best.peakMb, u.peakMb);
        best.ok = true;
    }
    return best;
}

// The editor's reading and writing of the file, with `sheet` between.
bool RoundTrip(const QString& path, const std::function<QString(const QString&)>& sheet,
               bool sameBytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = f.readAll();
    // A digest, so that the check holds no second copy of the file.
    const QByteArray original =
        sameBytes ? QCryptographicHash::hash(bytes, QCryptographicHash::Sha1) : QByteArray();
    DecodedDocument doc = DecodeDocument(std::move(bytes), true);
    const QString written = sheet(doc.text);
    doc.text.clear();
    doc.text.squeeze();
    const QByteArray out = EncodeDocument(written, doc.code, doc.lineEnd, &doc.forms);
    return !out.isEmpty()
           && (!sameBytes || QCryptographicHash::hash(out, QCryptographicHash::Sha1) == original);
}

bool Tinycss2(const char* path)
{
    const char* script = "import sys, tinycss2\n"
                         "data = open(sys.argv[1], 'rb').read()\n"
                         "if len(sys.argv) > 2:\n"
                         "    rules = tinycss2.parse_stylesheet_bytes(data)[0]\n"
                         "    for r in rules:\n"
                         "        if r.type == 'qualified-rule':\n"
                         "            tinycss2.parse_declaration_list(r.content)\n"
                         "    assert rules\n";
    execl("/usr/bin/python3", "python3", "-c", script, path, "parse", static_cast<char*>(nullptr));
    return false;
}

bool PythonAlone(const char* path)
{
    execl("/usr/bin/python3", "python3", "-c", "import sys, tinycss2\nopen(sys.argv[1], 'rb').read()",
          path, static_cast<char*>(nullptr));
    return false;
}

void Print(const char* what, const Usage& u, double fileMb, double baseMb)
{
    if (!u.ok) {
        std::printf("%-44s failed\n", what);
        return;
    }
    std::printf("%-44s %6.3f s CPU  %7.1f MB peak  %5.1f x the file\n", what, u.cpu,
                u.peakMb - baseMb, (u.peakMb - baseMb) / fileMb);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int mb = 5;
    int runs = 3;
    ReadSizeAndRuns(app.arguments(), mb, runs);
    mb = std::max(1, mb);
    runs = std::max(1, runs);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.css"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(MakeSheet(qsizetype(mb) << 20)) < 0)
            return 1;
    }
    const double fileMb = QFile(path).size() / 1048576.0;
    const QByteArray local = path.toLocal8Bit();
    std::printf("style sheet: %.1f MB, %d runs each\n", fileMb, runs);

    const Usage base = BestInChild(1, [] { return true; });
    const Usage floor = BestInChild(runs, [&] {
        return RoundTrip(path, [](const QString& t) { return t; }, true);
    });
    const Usage list = BestInChild(runs, [&] {
        return RoundTrip(path, [](const QString& t) {
            CStyleSheet sheet;
            sheet.ParseSheet(t);
            return sheet.ToText();
        }, true);
    });
    const Usage blocks = BestInChild(runs, [&] {
        return RoundTrip(path, [](const QString& t) {
            CStyleSheet sheet;
            sheet.ParseSheet(t);
            return sheet.ToBlockText();
        }, false);
    });
    const Usage python = BestInChild(runs, [&] { return PythonAlone(local.constData()); });
    const Usage peer = BestInChild(runs, [&] { return Tinycss2(local.constData()); });

    Print("floor: decode and encode only", floor, fileMb, base.peakMb);
    Print("style list: read, write back, same bytes", list, fileMb, base.peakMb);
    Print("kelvo-tool css: read, write in block form", blocks, fileMb, base.peakMb);
    if (peer.ok && python.ok) {
        Usage parse = peer;
        parse.cpu -= python.cpu;
        Print("peer: tinycss2 parse (python start taken off)", parse, fileMb, python.peakMb);
    } else {
        std::printf("peer: tinycss2 not available (apt-get install python3-tinycss2)\n");
    }
    const double cpuTarget = 0.5 * mb / 5;
    bool failed = false;
    for (const Usage* u : {&list, &blocks}) {
        if (!u->ok || u->cpu > cpuTarget || (u->peakMb - base.peakMb) > 10 * fileMb)
            failed = true;
    }
    if (failed) {
        std::printf("FAILED: over %.2f s of CPU or 10 times the file in memory\n", cpuTarget);
        return 1;
    }
    return 0;
}

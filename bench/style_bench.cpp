// A large style sheet read into rules and written back, as the style list
// (unchanged rules as they stood) and "kelvo-tool css" (every rule in the
// block form) do: a 5 MB sheet of rules with comments, selectors of every
// kind, media queries, strings, data URIs, shorthands and long values. The
// target is under 0.5 s for reading and writing together, each way; the
// peer figure is a plain copy of the text through one QString append per
// rule-sized piece (what any writer costs at least).
//
// usage: style_bench [--mb N] [--runs N]

#include "core/style/CStyleSheet.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace {

QString MakeSheet(qsizetype bytes)
{
    QString text;
    text.reserve(bytes + 1024);
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
    }
    text += QStringLiteral("-->");
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int mb = 5;
    int runs = 3;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--mb")
            mb = std::max(1, args[++i].toInt());
        else if (args[i] == u"--runs")
            runs = std::max(1, args[++i].toInt());
    }
    const QString text = MakeSheet(qsizetype(mb) * 1024 * 1024 / 2);  // UTF-16: 2 bytes a character
    double best = 1e9;
    double bestBlock = 1e9;
    double bestCopy = 1e9;
    qsizetype written = 0;
    size_t rules = 0;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        CStyleSheet sheet;
        sheet.ParseSheet(text);
        const QString out = sheet.ToText();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
        written = out.size();
        rules = sheet.rules.size();
        if (out != text) {
            std::printf("FAILED: the unchanged sheet was not written back as it was\n");
            return 1;
        }

        timer.restart();
        CStyleSheet blocks;
        blocks.ParseSheet(text);
        const QString blockText = blocks.ToBlockText();
        bestBlock = std::min(bestBlock, timer.nsecsElapsed() / 1e6);

        timer.restart();
        QString copy;
        for (qsizetype i = 0; i < text.size(); i += 200)
            copy += QStringView(text).mid(i, 200);
        bestCopy = std::min(bestCopy, timer.nsecsElapsed() / 1e6);
    }
    std::printf("style sheet: %d MB, %zu rules, %lld characters written\n", mb, rules,
                static_cast<long long>(written));
    std::printf("read and write back (style list): %.1f ms (best of %d)\n", best, runs);
    std::printf("read and write in block form (kelvo-tool css): %.1f ms\n", bestBlock);
    std::printf("peer, plain copy in pieces: %.1f ms\n", bestCopy);
    const double targetMs = 500.0 * mb / 5;
    if (std::max(best, bestBlock) > targetMs) {
        std::printf("FAILED: over the target of %.0f ms\n", targetMs);
        return 1;
    }
    return 0;
}

// Tab-separated text to a table: the same 10,000-line selection converted on
// the desktop edit widget and on the in-memory buffer, in the same run. The
// widget should take less than twice the in-memory time. Also checks that
// the conversion on the widget is one undo step. The widget inserts the rows
// while the next ones are made on a second thread; the peer figure is Qt
// alone inserting the finished table, the time that overlap hides.
//
// usage: table_bench [--lines N] [--runs N]

#include "core/app/CKelvoApp.h"
#include "core/app/HeadlessEditor.h"
#include "core/app/ScriptedUi.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "core/tables/TableCommandIds.h"
#include "gui/EditWidget.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QString MakeLines(int count)
{
    QString text;
    text.reserve(count * 40);
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("item%1\t%2\tテキスト\t\tlast\r\n").arg(i).arg(i * 7);
    return text;
}

// One conversion of the whole text; gives the milliseconds, or -1 when
// undo did not bring the text back in one step.
double ConvertOnce(CKelvoApp& app, EditBuffer& buffer, const QString& text, bool checkUndo)
{
    buffer.SetText(text);
    buffer.SetSel(0, buffer.GetTextLength());
    QElapsedTimer timer;
    timer.start();
    app.Commands().Run(cmd::TabToTable);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (checkUndo) {
        if (buffer.GetText() == text)
            return -1;
        buffer.Undo();
        if (buffer.GetText() != text || buffer.CanUndo())
            return -1;
    }
    return ms;
}

// The peer: Qt alone putting the same table over the same text in a plain
// QPlainTextEdit, the floor for any edit widget built on it.
double QtInsertOnce(QPlainTextEdit& edit, const QString& text, const QString& table)
{
    edit.setPlainText(text);
    QTextCursor cursor(edit.document());
    cursor.select(QTextCursor::Document);
    QElapsedTimer timer;
    timer.start();
    cursor.insertText(table);
    return timer.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    int lines = 10000;
    int runs = 5;
    const QStringList args = qapp.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--lines")
            lines = std::max(1, args[i + 1].toInt());
        else if (args[i] == u"--runs")
            runs = std::max(1, args[i + 1].toInt());
    }

    QTemporaryDir dir;
    platform::SettingsStore store(dir.filePath(QStringLiteral("kelvo.ini")));
    const QString text = MakeLines(lines);

    ScriptedUi headlessUi;
    HeadlessEditor headless(store, headlessUi);

    ScriptedUi guiUi;
    CKelvoApp guiApp(store, guiUi);
    EditWidget widget;
    widget.resize(800, 600);
    widget.show();
    CKelvoDoc guiDoc(guiApp, widget.Buffer());
    CKelvoView guiView(guiApp, widget.Buffer());
    guiApp.Attach(guiDoc, guiView);
    RegisterAllCommands(guiApp);

    std::vector<double> memoryTimes, widgetTimes;
    bool undoOk = true;
    for (int r = 0; r < runs; ++r) {
        const double m = ConvertOnce(headless.App(), headless.Buffer(), text, false);
        // Undo is checked once: undoing a large edit costs far more than the
        // edit and would heat the caches differently for the next runs.
        const double w = ConvertOnce(guiApp, widget.Buffer(), text, r == 0);
        QCoreApplication::processEvents();
        if (w < 0) {
            undoOk = false;
            break;
        }
        memoryTimes.push_back(m);
        widgetTimes.push_back(w);
    }
    // The converted table, with the line ends a QTextDocument takes.
    ConvertOnce(headless.App(), headless.Buffer(), text, false);
    QString table = headless.Buffer().GetText();
    table.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QString plainText = text;
    plainText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QPlainTextEdit peer;
    peer.resize(800, 600);
    peer.show();
    std::vector<double> qtTimes;
    for (int r = 0; r < runs; ++r) {
        qtTimes.push_back(QtInsertOnce(peer, plainText, table));
        QCoreApplication::processEvents();
    }

    if (!undoOk) {
        std::printf("FAIL: the conversion on the widget is not one undo step\n");
        return 1;
    }
    const double memory = Median(memoryTimes);
    const double gui = Median(widgetTimes);
    const double ratio = gui / std::max(memory, 0.001);
    std::printf("table conversion of %d lines, median of %d runs\n", lines, runs);
    std::printf("  MemoryEditBuffer:   %9.2f ms\n", memory);
    std::printf("  PlainTextEditBuffer:%9.2f ms\n", gui);
    std::printf("  peer: QPlainTextEdit insertText of the table alone: %9.2f ms\n", Median(qtTimes));
    std::printf("  ratio widget/memory: %.2f (target < 2) %s\n", ratio, ratio < 2 ? "ok" : "SLOW");
    std::printf("  one undo step on the widget: ok\n");
    return ratio < 2 ? 0 : 2;
}

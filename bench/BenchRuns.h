#pragma once

#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <functional>

// Best time of the runs, in seconds; negative when a run failed.
inline double Best(int runs, const std::function<bool()>& step)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!step())
            return -1;
        best = std::min(best, clock.nsecsElapsed() / 1e9);
    }
    return best;
}

// "--mb N" and "--runs N" from the command line; the rest is left as given.
inline void ReadSizeAndRuns(const QStringList& args, int& mb, int& runs)
{
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--mb")
            mb = args[i + 1].toInt();
        else if (args[i] == u"--runs")
            runs = args[i + 1].toInt();
    }
}

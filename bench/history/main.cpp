// dunmere-history-bench: seeds a hand history with real-looking hands, times what
// recording costs the table's thread, and times the "Statistics" window opening on it.
//
//   dunmere-history-bench seed FILE [HANDS] [DAYS]   HANDS poker and HANDS rummy hands (100000)
//   dunmere-history-bench record [HANDS]             cost of recordPoker/recordRummy on this thread
//   dunmere-history-bench open FILE [RUNS] [SHOTDIR] window open to every figure; PNGs of both pages
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPalette>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <sys/resource.h>
#include <cstdio>
#include <vector>

#include "app/stats_module.h"
#include "cards/random.h"
#include "history/history_hands.h"
#include "history/sql_history.h"

namespace {

using namespace dm;

// CPU time of the whole process (both threads), in ms: the machine may be busy with others.
double cpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

int seed(const QString& file, int hands, int days)
{
    const int64_t now = QDateTime::currentMSecsSinceEpoch();
    const int64_t start = now - int64_t{days} * 24 * 3600 * 1000;
    SqlHandHistory::Options options;
    options.path = file;
    options.durable = false;  // a bench seed need not survive a power cut
    options.tell = [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
    SqlHandHistory history(options);
    SeededRng rng(20261208);
    HandSampler sampler(rng);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < hands; ++i) {
        const int64_t at = start + (now - start) * i / hands;
        history.recordPoker(sampler.poker(at + 1));
        history.recordRummy(sampler.rummy(at + 2));
        if (i % 5000 == 4999)
            history.flush();  // keeps the queue short
    }
    history.flush();
    // The whole-game solve is kept in the file the first time the poker page asks.
    QEventLoop loop;
    history.pokerStats({}, [&](const PokerStats&) { loop.quit(); });
    loop.exec();
    std::printf("seeded %d poker and %d rummy hands over %d days into %s in %.1f s\n", hands, hands, days,
                qPrintable(file), t.elapsed() / 1000.0);
    return 0;
}

int record(int hands)
{
    QTemporaryDir dir;
    SqlHandHistory::Options options;
    options.path = dir.filePath(QStringLiteral("history.sqlite"));
    SqlHandHistory history(options);
    SeededRng rng(7);
    HandSampler sampler(rng);
    std::vector<double> poker, rummy;
    for (int i = 0; i < hands; ++i) {
        const PokerRecord p = sampler.poker(0);
        const RummyRecord r = sampler.rummy(0);
        QElapsedTimer t;
        t.start();
        history.recordPoker(p);
        poker.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        history.recordRummy(r);
        rummy.push_back(t.nsecsElapsed() / 1e6);
        QThread::msleep(20);  // hands come one at a time, the writer busy meanwhile
    }
    history.flush();
    for (auto* v : {&poker, &rummy}) {
        std::sort(v->begin(), v->end());
        std::printf("%s: median %.4f ms, 99th percentile %.4f ms, worst %.4f ms over %d hands\n",
                    v == &poker ? "recordPoker" : "recordRummy", (*v)[v->size() / 2], (*v)[v->size() * 99 / 100],
                    v->back(), hands);
    }
    return 0;
}

int open(const QString& file, int runs, const QString& shots)
{
    const MakeStatsWindow make = loadStatsWindowModule();
    if (!make) {
        std::fprintf(stderr, "dunmere-stats.so not found beside the program\n");
        return 1;
    }
    SqlHandHistory::Options options;
    options.path = file;
    SqlHandHistory history(options);
    history.flush();  // opened and checked, as at the table after its first frame
    std::vector<double> times, cpu, rummySql, pokerSql;
    for (int run = 0; run < runs; ++run) {
        // The database's share alone.
        double c = cpuMs();
        QEventLoop wait;
        history.rummyStats({}, [&](const RummyStats&) { wait.quit(); });
        wait.exec();
        rummySql.push_back(cpuMs() - c);
        c = cpuMs();
        history.pokerStats({}, [&](const PokerStats&) { wait.quit(); });
        wait.exec();
        pokerSql.push_back(cpuMs() - c);
        StatsWindowArgs args;
        args.history = &history;
        QEventLoop loop;
        args.filled = [&] { loop.quit(); };
        QElapsedTimer t;
        t.start();
        const double c0 = cpuMs();
        QWidget* window = make(args);
        window->show();
        loop.exec();
        window->repaint();  // every chart drawn
        times.push_back(t.nsecsElapsed() / 1e6);
        cpu.push_back(cpuMs() - c0);
        if (run + 1 == runs && !shots.isEmpty()) {
            auto* tabs = window->findChild<QTabWidget*>();
            for (int page = 0; page < tabs->count(); ++page) {
                tabs->setCurrentIndex(page);
                QCoreApplication::processEvents();
                const QString name = page == 0 ? QStringLiteral("stats-rummy.png") : QStringLiteral("stats-poker.png");
                window->grab().save(QDir(shots).filePath(name));
            }
        }
        delete window;
    }
    std::printf("Statistics window, open to every figure and chart drawn: median %.0f ms (CPU %.0f ms), first %.0f ms "
                "(CPU %.0f ms), %d runs; the queries alone: rummy CPU %.0f ms, poker CPU %.0f ms\n",
                median(times), median(cpu), times.front(), cpu.front(), runs, median(rummySql), median(pokerSql));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("DUNMERE_BENCH_DARK")) {  // the window in a dark palette
        QApplication::setStyle(QStringLiteral("Fusion"));
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(45, 45, 48));
        dark.setColor(QPalette::Base, QColor(30, 30, 32));
        dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
        dark.setColor(QPalette::Button, QColor(53, 53, 56));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(230, 230, 230));
        dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
        QApplication::setPalette(dark);
    }
    const QStringList args = app.arguments().mid(1);
    const QString command = args.value(0);
    if (command == QLatin1String("seed") && args.size() >= 2)
        return seed(args[1], args.value(2, QStringLiteral("100000")).toInt(), args.value(3, QStringLiteral("120")).toInt());
    if (command == QLatin1String("record"))
        return record(args.value(1, QStringLiteral("500")).toInt());
    if (command == QLatin1String("open") && args.size() >= 2)
        return open(args[1], args.value(2, QStringLiteral("5")).toInt(), args.value(3));
    std::fprintf(stderr, "usage: dunmere-history-bench seed FILE [HANDS] [DAYS] | record [HANDS] | open FILE [RUNS] [SHOTDIR]\n");
    return 2;
}

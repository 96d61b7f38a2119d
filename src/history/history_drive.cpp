#include "history/history_drive.h"

#include <QCoreApplication>
#include <cstdio>

#include "cards/random.h"
#include "history/history_hands.h"
#include "history/sql_history.h"

namespace dm {

int driveHistory(const QString& path, int hands)
{
    SqlHandHistory::Options options;
    options.path = path;
    options.commitLog = qEnvironmentVariable("DUNMERE_HISTORY_COMMIT_LOG");
    options.tell = [](const QString& text) {
        std::fprintf(stderr, "told: %s\n", qPrintable(text));
        std::fflush(stderr);
    };
    SqlHandHistory history(options);
    SystemRng rng;
    HandSampler sampler(rng);
    int played = 0;
    for (; hands <= 0 || played < hands; ++played) {
        history.recordPoker(sampler.poker(0));
        history.recordRummy(sampler.rummy(0));
        history.flush();  // one hand after another, as at the table
        QCoreApplication::processEvents();  // what the history has to tell
    }
    QCoreApplication::processEvents();
    std::printf("played %d hands\n", played);
    return 0;
}

}  // namespace dm

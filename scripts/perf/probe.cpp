// Launches a program on the current X display and watches the screen in a tight loop:
// time until its table is painted and (for the card table) until the hand lies on it,
// CPU while it waits idle, and the time from a click on the stock until the drawn card
// lies in the draw spot.
// Prints "key value" lines. The window is expected at the screen's top left (no
// window manager), so every rectangle is in screen pixels.
//
// probe --table X,Y,W,H [--hand X,Y,W,H --stock X,Y --spot X,Y,W,H] [--idle SECONDS] -- PROGRAM ARGS...
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRect>
#include <QScreen>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

QRect rectArg(const QString& s)
{
    const QStringList p = s.split(',');
    return p.size() == 4 ? QRect(p[0].toInt(), p[1].toInt(), p[2].toInt(), p[3].toInt()) : QRect();
}

QImage grab(const QRect& r)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage().convertToFormat(
        QImage::Format_RGB32);
}

// A painted table is colourful: black (nothing mapped) and a grey widget fill are not.
bool painted(const QImage& img)
{
    int colourful = 0, total = 0;
    for (int y = 5; y < img.height(); y += img.height() / 15)
        for (int x = 5; x < img.width(); x += img.width() / 20) {
            const QColor c(img.pixel(x, y));
            colourful += std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) >= 12;
            ++total;
        }
    return total > 0 && colourful >= total * 7 / 10;
}

double whiteShare(const QImage& img)
{
    long n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c(img.pixel(x, y));
            n += c.red() > 215 && c.green() > 215 && c.blue() > 215;
        }
    return double(n) / std::max(1, img.width() * img.height());
}

double changedShare(const QImage& a, const QImage& b)
{
    long n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p(a.pixel(x, y)), q(b.pixel(x, y));
            n += std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()), std::abs(p.blue() - q.blue())}) > 40;
        }
    return double(n) / std::max(1, a.width() * a.height());
}

// The process that does the work: the launched one, or its child when it is a wrapper
// such as /usr/bin/time.
qint64 worker(qint64 pid)
{
    QFile f(QString("/proc/%1/task/%1/children").arg(pid));
    if (f.open(QIODevice::ReadOnly)) {
        const QByteArray first = f.readAll().trimmed().split(' ').value(0);
        if (!first.isEmpty())
            return first.toLongLong();
    }
    return pid;
}

long cpuTicks(qint64 pid)
{
    QFile f(QString("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray s = f.readAll();
    const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLong() + fields[12].toLong() : -1;  // utime + stime
}

template <class Pred>
qint64 waitFor(const QRect& r, const QElapsedTimer& clock, int timeoutMs, Pred pred)
{
    const qint64 end = clock.elapsed() + timeoutMs;
    while (clock.elapsed() < end) {
        if (pred(grab(r)))
            return clock.elapsed();
        QThread::usleep(2000);
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const int dash = args.indexOf("--");
    if (dash < 0 || dash + 1 >= args.size()) {
        std::fprintf(stderr, "usage: probe --table X,Y,W,H [...] -- PROGRAM ARGS...\n");
        return 2;
    }
    const QStringList command = args.mid(dash + 1);
    args = args.mid(0, dash);
    auto opt = [&](const char* name) { const int i = args.indexOf(name); return i >= 0 ? args.value(i + 1) : QString(); };
    const QRect table = rectArg(opt("--table")), hand = rectArg(opt("--hand")), spot = rectArg(opt("--spot"));
    const QStringList stock = opt("--stock").split(',');
    const int idleSeconds = opt("--idle").isEmpty() ? 0 : opt("--idle").toInt();

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    QElapsedTimer clock;
    clock.start();
    child.start(command.first(), command.mid(1));
    if (!child.waitForStarted(5000))
        return 3;
    const qint64 launch = waitFor(table, clock, 30000, painted);
    std::printf("launch_ms %lld\n", launch);
    std::fflush(stdout);
    const qint64 pid = worker(child.processId());

    if (launch >= 0 && hand.isValid()) {
        const qint64 dealt = waitFor(hand, clock, 15000, [](const QImage& img) { return whiteShare(img) > 0.3; });
        std::printf("dealt_ms %lld\n", dealt);
        std::fflush(stdout);
    }
    QThread::msleep(1000);  // let the deal's last frames settle

    if (idleSeconds > 0) {
        const long before = cpuTicks(pid);
        QThread::sleep(idleSeconds);
        const long after = cpuTicks(pid);
        const double percent = 100.0 * double(after - before) / double(sysconf(_SC_CLK_TCK)) / idleSeconds;
        std::printf("idle_cpu_percent %.2f\n", before < 0 || after < 0 ? -1.0 : percent);
    }

    if (launch >= 0 && spot.isValid() && stock.size() == 2) {
        QProcess::execute("xdotool", {"mousemove", "--sync", stock[0], stock[1]});
        const QImage empty = grab(spot.adjusted(8, 8, -8, -8));
        QProcess click;
        const qint64 start = clock.elapsed();
        click.start("xdotool", {"click", "1"});
        const qint64 arrived = waitFor(spot.adjusted(8, 8, -8, -8), clock, 15000,
                                       [&](const QImage& img) { return changedShare(empty, img) > 0.9; });
        click.waitForFinished(5000);
        std::printf("glide_ms %lld\n", arrived < 0 ? -1 : arrived - start);
    }

    ::kill(pid_t(pid), SIGTERM);
    if (!child.waitForFinished(10000)) {
        child.kill();
        child.waitForFinished(3000);
    }
    return launch >= 0 ? 0 : 1;
}

#pragma once
// A private X display (Xvfb + openbox) with a copy of the program folder, for
// driving the real dunmere binary the way a user would.
#include <QElapsedTimer>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <memory>
#include <optional>
#include <ostream>

namespace e2e {

struct ToolResult { int exitCode = -1; QByteArray out; };  // -1: it did not start, crashed or ran too long
// The window's client area on the screen (menu bar included) and the table below the menu bar.
struct TableGeometry { QRect client, table; };

class XSession {
public:
    ~XSession();

    // Starts Xvfb and openbox. Empty on success, else what went wrong.
    QString startDisplay();
    // The display, a copy of the program folder and the program started on it with the
    // given settings text: its main window, or 0 with what went wrong in why.
    unsigned long open(const QByteArray& iniText);
    std::string why;
    // Starts a program on the display in place of the last one; false when it did not start.
    bool start(const QString& program, const QStringList& args, const QProcessEnvironment& e, const QString& dir);
    // The program's exit status once it ends within the time; -1 when it kept running or crashed.
    int exitStatus(int timeoutMs);
    bool closeWindow(unsigned long window);  // as the title bar's X does
    bool signal(int sig);                    // as a logout or `kill` does
    int closeAndWait(unsigned long window) { return closeWindow(window) ? exitStatus(20000) : -1; }
    // Polls for a visible window whose title matches; 0 when none came in time.
    unsigned long waitForTitle(const QString& titlePattern, int timeoutMs);
    std::optional<QRect> windowRect(unsigned long window);
    std::optional<TableGeometry> geometry(unsigned long window, int tableHeight = 600);
    QImage screenshot();
    bool click(QPoint screen) { return xdo({"mousemove", "--sync", QString::number(screen.x()), QString::number(screen.y()), "click", "1"}); }
    bool key(const QString& keys) { return xdo(QStringList{"key"} + keys.split(' ', Qt::SkipEmptyParts)); }
    bool xdo(const QStringList& args) { return run("xdotool", args).exitCode == 0; }
    ToolResult run(const QString& program, const QStringList& args, int timeoutMs = 10000);
    // The program's environment on this display; home holds its config, data, cache and runtime folders.
    QProcessEnvironment env(const QString& home = {}) const;

    QString programDir() const { return bin_ ? bin_->path() : QString(); }
    QString settingsFile() const { return home_.path() + "/config/Dunmere/TolvaRummy.conf"; }

private:
    QString prepareProgramFolder();

    QString display_;
    QTemporaryDir home_;
    std::unique_ptr<QTemporaryDir> bin_;  // the program folder copy
    std::unique_ptr<QProcess> xvfb_, wm_, app_;
};

// The share of pixels in rect (inside img) that pass the test.
template <class Pred>
double share(const QImage& img, const QRect& rect, Pred pred)
{
    const QRect r = rect.intersected(img.rect());
    long hit = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            hit += pred(QColor(img.pixel(x, y))) ? 1 : 0;
    return r.isEmpty() ? 0.0 : double(hit) / double(r.width() * r.height());
}

inline bool nearWhite(const QColor& c) { return c.red() > 215 && c.green() > 215 && c.blue() > 215; }
inline bool brightGreen(const QColor& c) { return c.green() > 180 && c.red() < 90 && c.blue() < 90; }

bool writeFile(const QString& path, const QByteArray& bytes);  // with the folders it needs
// The keys of the [Preferences] group of a settings file.
QMap<QString, QString> storedPreferences(const QString& file);
// The share of pixels that differ noticeably between two pictures of the same rect.
double changedShare(const QImage& a, const QImage& b, const QRect& rect);

// Polls until pred(screenshot) holds: the picture then, else a null image when the time is up.
template <class Pred>
QImage pollScreen(XSession& x, int timeoutMs, Pred pred)
{
    QElapsedTimer clock;
    clock.start();
    do {
        if (QImage shot = x.screenshot(); !shot.isNull() && pred(shot))
            return shot;
        QThread::msleep(100);
    } while (clock.elapsed() < timeoutMs);
    return {};
}

}  // namespace e2e

// Readable failures for the geometry checks.
inline void PrintTo(const QRect& r, std::ostream* os) { *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height(); }
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }

#pragma once
// A private X display (Xvfb + openbox) with a copy of the program folder, for
// driving the real dunmere binary the way a user would.
#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <memory>
#include <optional>
#include <ostream>

namespace e2e {

// Output and status of one helper command; -1 when it could not start or ran too long.
struct ToolResult {
    int exitCode = -1;
    QByteArray out;
};

// The table's place on the screen and the boxes the tests aim at, in screen pixels.
struct TableGeometry {
    QRect client;  // the window's client area (menu bar included)
    QRect table;   // the client area below the menu bar
};

class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts Xvfb and openbox. Empty on success, else what went wrong.
    QString startDisplay();
    // The display, a copy of the program folder and the program started on it with the
    // given settings text: its main window, or 0 with what went wrong in why.
    unsigned long open(const QByteArray& iniText, std::string& why);
    // Closes the window as the title bar's X does and waits for the program's exit
    // status; -1 when it kept running or crashed.
    int closeAndWait(unsigned long window);
    bool closeWindow(unsigned long window);
    // Polls for a visible window whose title matches; 0 when none came in time.
    unsigned long waitForTitle(const QString& titlePattern, int timeoutMs);

    // The visible window whose title matches the pattern; 0 when there is none.
    unsigned long findWindow(const QString& titlePattern);
    // A window's client area on the screen, as the X server has it.
    std::optional<QRect> windowRect(unsigned long window);
    std::optional<TableGeometry> geometry(unsigned long window, int tableHeight = 600);
    QImage screenshot();
    bool click(QPoint screen);
    bool key(const QString& keys);

    ToolResult run(const QString& program, const QStringList& args, int timeoutMs = 10000);

    QString programDir() const { return bin_ ? bin_->path() : QString(); }
    QString settingsFile() const;
    QString display() const { return display_; }

private:
    QString prepareProgramFolder();
    QProcessEnvironment env() const;
    void stop(std::unique_ptr<QProcess>& p);

    QString display_;
    std::unique_ptr<QTemporaryDir> home_;  // settings, runtime and window-manager files
    std::unique_ptr<QTemporaryDir> bin_;   // the program folder copy
    std::unique_ptr<QProcess> xvfb_, wm_, app_;
};

// The share of pixels in rect (inside img) that pass the test.
template <class Pred>
double share(const QImage& img, const QRect& rect, Pred pred)
{
    const QRect r = rect.intersected(img.rect());
    if (r.isEmpty())
        return 0.0;
    long hit = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            hit += pred(QColor(img.pixel(x, y))) ? 1 : 0;
    return double(hit) / double(r.width() * r.height());
}

inline bool nearWhite(const QColor& c) { return c.red() > 215 && c.green() > 215 && c.blue() > 215; }
inline bool brightGreen(const QColor& c) { return c.green() > 180 && c.red() < 90 && c.blue() < 90; }

// The keys of the [Preferences] group of a settings file.
QMap<QString, QString> storedPreferences(const QString& file);

// The share of pixels that differ noticeably between two pictures of the same rect.
double changedShare(const QImage& a, const QImage& b, const QRect& rect);

// Polls until pred(screenshot) holds or the time is up; returns the last picture taken
// when it held, a null image otherwise.
template <class Pred>
QImage pollScreen(XSession& x, int timeoutMs, Pred pred)
{
    QElapsedTimer clock;
    clock.start();
    do {
        QImage shot = x.screenshot();
        if (!shot.isNull() && pred(shot))
            return shot;
        QThread::msleep(100);
    } while (clock.elapsed() < timeoutMs);
    return {};
}

}  // namespace e2e

// Readable failures for the geometry checks.
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }

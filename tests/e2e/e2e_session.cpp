#include "e2e_session.h"

#include <csignal>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace e2e {

XSession::~XSession()
{
    for (auto* p : {&app_, &wm_, &xvfb_})
        if (*p && ((*p)->terminate(), !(*p)->waitForFinished(3000)))
            (*p)->kill(), (*p)->waitForFinished(3000);
}

QProcessEnvironment XSession::env(const QString& home) const
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    const QString h = home.isEmpty() ? home_.path() : home;
    e.insert("DISPLAY", display_);
    e.insert("QT_QPA_PLATFORM", "xcb");  // the test binary itself runs offscreen
    e.insert("HOME", h);
    for (const char* dir : {"config", "data", "cache"})
        e.insert(QString("XDG_%1_HOME").arg(QString(dir).toUpper()), h + "/" + dir);
    e.insert("XDG_RUNTIME_DIR", h + "/runtime");
    e.remove("XAUTHORITY");
    return e;
}

QString XSession::startDisplay()
{
    for (const char* tool : {"Xvfb", "openbox", "xdotool", "wmctrl", "xwininfo", "import"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return QString("missing %1 (scripts/setup.sh installs it)").arg(tool);
    QDir().mkdir(home_.path() + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // Xvfb picks a free display itself and writes its number to the given descriptor.
    xvfb_ = std::make_unique<QProcess>();
    xvfb_->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.contains('\n') && clock.elapsed() < 15000 && xvfb_->waitForStarted(5000) &&
           xvfb_->state() == QProcess::Running) {
        xvfb_->waitForReadyRead(200);
        number += xvfb_->readAllStandardOutput();
    }
    bool ok = false;
    display_ = ":" + QString::number(number.trimmed().toInt(&ok));
    if (!ok)
        return "Xvfb could not start: " + QString::fromLocal8Bit(xvfb_->readAllStandardError()).left(400);

    // A window manager, so that closing goes through the same path as a user's click.
    // openbox names itself on the root window (what `wmctrl -m` reads) early in its start,
    // and may take in a window mapped after that before it listens: the window then waits,
    // never mapped, until some later event wakes openbox. Its --startup command runs once
    // it is up, and only then may a program start.
    const QString ready = home_.path() + "/openbox-ready";
    wm_ = std::make_unique<QProcess>();
    wm_->setProcessEnvironment(env());
    wm_->start("openbox", {"--startup", "touch '" + ready + "'"});
    clock.restart();
    while (!QFileInfo::exists(ready)) {
        if (clock.elapsed() > 30000 || !wm_->waitForStarted(5000) || wm_->state() != QProcess::Running)
            return "openbox did not take over display " + display_;
        QThread::msleep(50);
    }
    return {};
}

QString XSession::prepareProgramFolder()
{
    const QString from = QStringLiteral(DUNMERE_BIN_DIR), exe = from + "/dunmere";
    if (!QFileInfo(exe).isExecutable() || !QFileInfo(from + "/pics").isDir())
        return "no program in " + from + " (build the dunmere and assets targets)";
    bin_ = std::make_unique<QTemporaryDir>();
    const QString to = bin_->path();
    if (!QFile::copy(exe, to + "/dunmere") || !QFile::setPermissions(to + "/dunmere", QFile::permissions(exe)))
        return "could not copy the program";
    // The data is only read: links to the built folders do.
    for (const char* name : {"pics", "wavs", "frames", "dunmere.hlp", "dunmere-sound.so"})
        if (QFileInfo::exists(from + "/" + name) && !QFile::link(from + "/" + name, to + "/" + name))
            return QString("could not link ") + name;
    return {};
}

unsigned long XSession::open(const QByteArray& iniText)
{
    QString problem = startDisplay();
    if (problem.isEmpty())
        problem = prepareProgramFolder();
    if (problem.isEmpty() && !iniText.isEmpty() && !writeFile(settingsFile(), iniText))
        problem = "could not store the settings";
    if (problem.isEmpty() && !start(bin_->path() + "/dunmere", {}, env(), bin_->path()))
        problem = "the program did not start";
    const unsigned long window = problem.isEmpty() ? waitForTitle("^Video-Poker / Tolva-Rummy$", 30000) : 0;
    why = (problem.isEmpty() && !window ? "the main window never showed" : problem).toStdString();
    return window;
}

unsigned long XSession::waitForTitle(const QString& titlePattern, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    do {
        const ToolResult r = run("xdotool", {"search", "--onlyvisible", "--name", titlePattern}, 3000);
        if (const unsigned long id = r.out.split('\n').value(0).trimmed().toULong(); r.exitCode == 0 && id)
            return id;
        if (app_ && app_->state() == QProcess::NotRunning)
            return 0;
        QThread::msleep(100);
    } while (clock.elapsed() < timeoutMs);
    return 0;
}

bool XSession::closeWindow(unsigned long window)
{
    return run("wmctrl", {"-i", "-c", "0x" + QString::number(window, 16)}).exitCode == 0;
}

bool XSession::signal(int sig)
{
    return app_ && app_->state() == QProcess::Running && ::kill(static_cast<pid_t>(app_->processId()), sig) == 0;
}

bool XSession::start(const QString& program, const QStringList& args, const QProcessEnvironment& e, const QString& dir)
{
    if (app_)
        app_->kill(), app_->waitForFinished(3000);
    app_ = std::make_unique<QProcess>();
    app_->setProcessEnvironment(e);
    app_->setWorkingDirectory(dir);
    app_->setProcessChannelMode(QProcess::ForwardedChannels);
    app_->start(program, args);
    return app_->waitForStarted(5000);
}

int XSession::exitStatus(int timeoutMs)
{
    if (!app_ || (app_->state() != QProcess::NotRunning && !app_->waitForFinished(timeoutMs)))
        return -1;
    return app_->exitStatus() == QProcess::NormalExit ? app_->exitCode() : -1;
}

std::optional<QRect> XSession::windowRect(unsigned long window)
{
    const QString info = QString::fromLocal8Bit(run("xwininfo", {"-id", QString::number(window)}).out);
    int v[4];
    const char* names[] = {"Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"};
    for (int i = 0; i < 4; ++i) {
        const auto m = QRegularExpression(QString(names[i]) + R"(:\s*(-?\d+))").match(info);
        if (!m.hasMatch())
            return std::nullopt;
        v[i] = m.captured(1).toInt();
    }
    return QRect(v[0], v[1], v[2], v[3]);
}

std::optional<TableGeometry> XSession::geometry(unsigned long window, int tableHeight)
{
    const auto r = windowRect(window);  // the menu bar is above the table
    return !r || r->height() < tableHeight ? std::nullopt
                                           : std::optional(TableGeometry{*r, r->adjusted(0, r->height() - tableHeight, 0, 0)});
}

QImage XSession::screenshot()
{
    const ToolResult r = run("import", {"-window", "root", "png:-"}, 15000);
    return r.exitCode != 0 ? QImage() : QImage::fromData(r.out, "PNG").convertToFormat(QImage::Format_RGB32);
}

ToolResult XSession::run(const QString& program, const QStringList& args, int timeoutMs)
{
    QProcess p;
    p.setProcessEnvironment(env());
    p.start(program, args);
    if (p.waitForStarted(5000) && p.waitForFinished(timeoutMs))
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput()};
    p.kill();
    p.waitForFinished(2000);
    return {};
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return QDir().mkpath(QFileInfo(path).path()) && f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QMap<QString, QString> storedPreferences(const QString& file)
{
    QSettings ini(file, QSettings::IniFormat);
    ini.beginGroup("Preferences");
    QMap<QString, QString> keys;
    for (const QString& key : ini.childKeys())
        keys.insert(key, ini.value(key).toString());
    return keys;
}

double changedShare(const QImage& a, const QImage& b, const QRect& rect)
{
    const QRect r = rect.intersected(a.rect()).intersected(b.rect());
    long changed = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p(a.pixel(x, y)), q(b.pixel(x, y));
            changed += std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                                 std::abs(p.blue() - q.blue())}) > 40;
        }
    return r.isEmpty() ? 0.0 : double(changed) / double(r.width() * r.height());
}

}  // namespace e2e

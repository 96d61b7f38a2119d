#include "e2e_session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace e2e {

namespace {
const QString kTitle = QStringLiteral("^Video-Poker / Tolva-Rummy$");
}  // namespace

XSession::XSession() : home_(std::make_unique<QTemporaryDir>()) {}

XSession::~XSession()
{
    stop(app_);
    stop(wm_);
    stop(xvfb_);
}

void XSession::stop(std::unique_ptr<QProcess>& p)
{
    if (!p)
        return;
    if (p->state() != QProcess::NotRunning) {
        p->terminate();
        if (!p->waitForFinished(3000)) {
            p->kill();
            p->waitForFinished(3000);
        }
    }
    p.reset();
}

QProcessEnvironment XSession::env() const
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    const QString home = home_->path();
    e.insert("DISPLAY", display_);
    e.insert("QT_QPA_PLATFORM", "xcb");  // the test binary itself runs offscreen
    e.insert("XDG_CONFIG_HOME", home + "/config");
    e.insert("XDG_CACHE_HOME", home + "/cache");
    e.insert("XDG_RUNTIME_DIR", home + "/runtime");
    e.remove("XAUTHORITY");
    return e;
}

QString XSession::settingsFile() const { return home_->path() + "/config/Dunmere/TolvaRummy.conf"; }

QString XSession::startDisplay()
{
    if (!home_->isValid())
        return "no temporary folder";
    QStringList missing;
    for (const char* tool : {"Xvfb", "openbox", "xdotool", "wmctrl", "xwininfo", "import"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    if (!missing.isEmpty())
        return "missing " + missing.join(", ") + " (scripts/setup.sh installs them)";
    QDir(home_->path()).mkpath("runtime");
    QFile::setPermissions(home_->path() + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // Xvfb picks a free display itself and writes its number to the given descriptor.
    xvfb_ = std::make_unique<QProcess>();
    xvfb_->setProcessChannelMode(QProcess::SeparateChannels);
    xvfb_->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!xvfb_->waitForStarted(5000))
        return "Xvfb could not start: " + xvfb_->errorString();
    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.contains('\n') && clock.elapsed() < 15000 && xvfb_->state() == QProcess::Running) {
        xvfb_->waitForReadyRead(200);
        number += xvfb_->readAllStandardOutput();
    }
    bool ok = false;
    const int n = number.trimmed().toInt(&ok);
    if (!ok)
        return "Xvfb could not start: " + QString::fromLocal8Bit(xvfb_->readAllStandardError()).left(400);
    display_ = ":" + QString::number(n);

    // A window manager, so that closing goes through the same path as a user's click.
    wm_ = std::make_unique<QProcess>();
    wm_->setProcessEnvironment(env());
    wm_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    wm_->start("openbox", {});
    if (!wm_->waitForStarted(5000))
        return "openbox could not start";
    clock.restart();
    while (run("wmctrl", {"-m"}, 3000).exitCode != 0) {
        if (clock.elapsed() > 10000 || wm_->state() != QProcess::Running)
            return "openbox did not take over display " + display_;
        QThread::msleep(100);
    }
    return {};
}

QString XSession::prepareProgramFolder()
{
    const QString from = QStringLiteral(DUNMERE_BIN_DIR);
    const QString exe = from + "/dunmere";
    if (!QFileInfo(exe).isExecutable() || !QFileInfo(from + "/pics").isDir())
        return "no program in " + from + " (build the dunmere and assets targets)";
    bin_ = std::make_unique<QTemporaryDir>();
    const QString to = bin_->path();
    if (!QFile::copy(exe, to + "/dunmere") ||
        !QFile::setPermissions(to + "/dunmere", QFile::permissions(exe)))
        return "could not copy the program";
    // The data is only read: links to the built folders do.
    for (const char* name : {"pics", "wavs", "frames", "dunmere.hlp", "dunmere-sound.so"})
        if (QFileInfo::exists(from + "/" + name) && !QFile::link(from + "/" + name, to + "/" + name))
            return QString("could not link ") + name;
    return {};
}

unsigned long XSession::open(const QByteArray& iniText, std::string& why)
{
    QString problem = startDisplay();
    if (problem.isEmpty())
        problem = prepareProgramFolder();
    QFile ini(settingsFile());
    if (problem.isEmpty() && !iniText.isEmpty() &&
        (!QDir().mkpath(QFileInfo(ini).path()) || !ini.open(QIODevice::WriteOnly) || ini.write(iniText) != iniText.size()))
        problem = "could not store the settings";
    ini.close();
    if (problem.isEmpty()) {
        app_ = std::make_unique<QProcess>();
        app_->setProcessEnvironment(env());
        app_->setWorkingDirectory(bin_->path());
        app_->setProcessChannelMode(QProcess::ForwardedChannels);
        app_->start(bin_->path() + "/dunmere", {});
        if (!app_->waitForStarted(5000))
            problem = "the program did not start";
    }
    const unsigned long window = problem.isEmpty() ? waitForTitle(kTitle, 30000) : 0;
    if (problem.isEmpty() && !window)
        problem = "the main window never showed";
    why = problem.toStdString();
    return window;
}

unsigned long XSession::findWindow(const QString& titlePattern)
{
    const ToolResult r = run("xdotool", {"search", "--onlyvisible", "--name", titlePattern}, 3000);
    bool ok = false;
    const unsigned long id = r.out.split('\n').value(0).trimmed().toULong(&ok);
    return r.exitCode == 0 && ok ? id : 0;
}

unsigned long XSession::waitForTitle(const QString& titlePattern, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    do {
        if (const unsigned long id = findWindow(titlePattern))
            return id;
        if (!app_ || app_->state() == QProcess::NotRunning)
            return 0;
        QThread::msleep(100);
    } while (clock.elapsed() < timeoutMs);
    return 0;
}

bool XSession::closeWindow(unsigned long window)
{
    return run("wmctrl", {"-i", "-c", "0x" + QString::number(window, 16)}).exitCode == 0;
}

int XSession::closeAndWait(unsigned long window)
{
    if (!app_ || !closeWindow(window) || (app_->state() != QProcess::NotRunning && !app_->waitForFinished(20000)))
        return -1;
    return app_->exitStatus() == QProcess::NormalExit ? app_->exitCode() : -1;
}

std::optional<QRect> XSession::windowRect(unsigned long window)
{
    const ToolResult r = run("xwininfo", {"-id", QString::number(window)});
    if (r.exitCode != 0)
        return std::nullopt;
    auto field = [&](const char* name) {
        const QRegularExpression re(QString(name) + R"(:\s*(-?\d+))");
        const auto m = re.match(QString::fromLocal8Bit(r.out));
        return m.hasMatch() ? std::optional<int>(m.captured(1).toInt()) : std::nullopt;
    };
    const auto x = field("Absolute upper-left X"), y = field("Absolute upper-left Y");
    const auto w = field("Width"), h = field("Height");
    if (!x || !y || !w || !h)
        return std::nullopt;
    return QRect(*x, *y, *w, *h);
}

std::optional<TableGeometry> XSession::geometry(unsigned long window, int tableHeight)
{
    const auto r = windowRect(window);
    if (!r || r->height() < tableHeight)
        return std::nullopt;
    TableGeometry g;
    g.client = *r;
    g.table = QRect(r->left(), r->top() + (r->height() - tableHeight), r->width(), tableHeight);  // the menu bar is above the table
    return g;
}

QImage XSession::screenshot()
{
    const ToolResult r = run("import", {"-window", "root", "png:-"}, 15000);
    if (r.exitCode != 0)
        return {};
    return QImage::fromData(r.out, "PNG").convertToFormat(QImage::Format_RGB32);
}

bool XSession::click(QPoint screen)
{
    return run("xdotool", {"mousemove", "--sync", QString::number(screen.x()), QString::number(screen.y()),
                           "click", "1"})
               .exitCode == 0;
}

bool XSession::key(const QString& keys)
{
    return run("xdotool", QStringList{"key"} + keys.split(' ', Qt::SkipEmptyParts)).exitCode == 0;
}

ToolResult XSession::run(const QString& program, const QStringList& args, int timeoutMs)
{
    ToolResult r;
    QProcess p;
    p.setProcessEnvironment(env());
    p.start(program, args);
    if (!p.waitForStarted(5000))
        return r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(2000);
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    return r;
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
    if (r.isEmpty())
        return 0.0;
    long changed = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p(a.pixel(x, y)), q(b.pixel(x, y));
            const int d = std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                                    std::abs(p.blue() - q.blue())});
            changed += d > 40 ? 1 : 0;
        }
    return double(changed) / double(r.width() * r.height());
}

}  // namespace e2e

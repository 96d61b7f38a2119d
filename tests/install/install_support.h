#pragma once
// Installing the build into a scratch prefix, and running the tools that inspect it.
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace install {

struct Output {
    int status = -1;  // -1: could not start, crashed or ran past its time
    QString out;      // standard output and error together
};

inline Output runTool(const QString& program, const QStringList& args, int timeoutMs = 60000)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(5000))
        return {-1, program + " could not start (scripts/setup.sh installs it)"};
    const bool ended = p.waitForFinished(timeoutMs) && p.exitStatus() == QProcess::NormalExit;
    if (!ended)
        p.kill(), p.waitForFinished(3000);
    return {ended ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAll())};
}

// `cmake --install` of the build folder; the output when it failed, else empty.
inline QString installInto(const QString& prefix)
{
    const Output r = runTool(QStringLiteral(DM_CMAKE), {"--install", DM_BUILD_DIR, "--prefix", prefix});
    return r.status == 0 ? QString() : "cmake --install failed:\n" + r.out;
}

}  // namespace install

#include "tempfolder.h"

#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

namespace pratelia::testing {

TempProgramFolder::TempProgramFolder()
    : m_oldHome(qgetenv("PRATELIA_HOME")), m_hadHome(qEnvironmentVariableIsSet("PRATELIA_HOME"))
{
    qputenv("PRATELIA_HOME", QFile::encodeName(m_dir.path()));
}

TempProgramFolder::~TempProgramFolder()
{
    if (m_hadHome)
        qputenv("PRATELIA_HOME", m_oldHome);
    else
        qunsetenv("PRATELIA_HOME");
}

QByteArray TempProgramFolder::read(const QString &name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TempProgramFolder::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(file(name)));
    f.write(bytes);
}

CliResult runCli(const QStringList &args, const QByteArray &home)
{
    CliResult r;
    QString cli = qEnvironmentVariable("PRATELIA_CLI");
    if (cli.isEmpty()) // a test run by hand: the companion is built beside it
        cli = QCoreApplication::applicationDirPath() + QStringLiteral("/pratelia-cli");
    if (!QFileInfo::exists(cli)) {
        r.err = QStringLiteral("pratelia-cli not found: ") + cli;
        return r;
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!home.isEmpty())
        env.insert(QStringLiteral("PRATELIA_HOME"), QString::fromLocal8Bit(home));
    p.setProcessEnvironment(env);
    p.start(cli, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        r.err = QStringLiteral("timed out");
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace pratelia::testing

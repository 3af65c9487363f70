#pragma once
// A temporary program folder for a test: PRATELIA_HOME points at it while
// the object lives, so that every archive the code touches lands there.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace pratelia::testing {

class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QByteArray read(const QString &name) const;
    void write(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    bool m_hadHome;
};

// Output of running pratelia-cli (its path comes from the test's
// environment) with the arguments.
struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};
CliResult runCli(const QStringList &args, const QByteArray &home = {});

} // namespace pratelia::testing

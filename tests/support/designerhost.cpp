#include "designerhost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace DesignerHost {

Run runCopy(const QString &function)
{
    Run run;
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("FormSmithTool"));
    const QString copy = folder + QLatin1Char('/') + QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (!dir.isValid() || !QDir().mkpath(folder) || !QFile::copy(QCoreApplication::applicationFilePath(), copy)
        || !QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ExeOwner)) {
        run.output = "cannot make the designer-host copy";
        return run;
    }
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(copy, {function});
    if (!process.waitForFinished(60000)) {
        run.output = "the designer-host copy did not finish";
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = process.readAllStandardOutput();
    return run;
}

} // namespace DesignerHost

// Checks pages and their style sheet for every place where the runtime would
// silently fall back to a default, and reports them as compilers do.

#include "tavqlint.h"
#include "toolsupport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSet>

#include <cstdio>

using namespace TAVQtLib;

namespace {

enum Exit { Clean = 0, Faulty = 1, Usage = 2 };

const char Description[] =
    "Reads each PAGE as the runtime does (from the package, else from the folder or the\n"
    "disk; the style sheet and images from the same source) and reports every place where\n"
    "the runtime would silently fall back, one line each, as FILE:LINE:COLUMN: error|warning:\n"
    "MESSAGE on standard output. The style sheet is checked too (style.json:LINE:COLUMN).\n\n"
    "Exit status: 0 no error, 1 an error (or, with --werror, any warning), 2 bad usage.";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(Description));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const ToolSupport::SourceOptions sources = ToolSupport::addSourceOptions(&parser);
    const QCommandLineOption werrorOption("werror", "Count warnings as errors.");
    parser.addOption(werrorOption);
    parser.addPositionalArgument("PAGE", "Page file name, as the program names it (e.g. LoginPage.json).", "PAGE...");
    // Not process(): it would exit with 1 on a bad option, which means "faults found".
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "tavq-lint: %s\n\n%s", qPrintable(parser.errorText()), qPrintable(parser.helpText()));
        return Usage;
    }
    if (parser.isSet(helpOption)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return Clean;
    }

    const QStringList pages = parser.positionalArguments();
    if (pages.isEmpty()) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return Usage;
    }
    Lint::Source source;
    source.packagePath = parser.value(sources.package);
    source.folder = parser.value(sources.folder);

    // Every page brings the style sheet's findings again; each is told once.
    QVector<Lint::Finding> findings;
    QSet<QString> told;
    for (const QString &page : pages) {
        for (const Lint::Finding &finding : Lint::lintPage(source, page)) {
            const QString line = Lint::formatFinding(finding);
            if (told.contains(line))
                continue;
            told.insert(line);
            findings.append(finding);
            std::printf("%s\n", line.toUtf8().constData());
        }
    }
    return Lint::exitStatus(findings, parser.isSet(werrorOption)) ? Faulty : Clean;
}

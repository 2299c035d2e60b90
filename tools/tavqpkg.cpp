// Lists, reads and writes resource packages.

#include "base/tavqtextcodec.h"
#include "resources/packagearchive_p.h"
#include "resources/packageindex_p.h"
#include "resources/tavqresourcemanager.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <zip.h>

#include <cstdio>
#include <vector>

using namespace TAVQtLib;

namespace {

const char Usage[] =
    "Usage:\n"
    "  tavqpkg list PACKAGE          one line per entry: SIZE KEY, in key order\n"
    "  tavqpkg cat PACKAGE NAME      write the bytes of NAME to stdout\n"
    "  tavqpkg pack [--gbk] DIR OUT  write every file under DIR into the package OUT;\n"
    "                                with --gbk, .json files are turned from UTF-8 into GBK\n";

int usage()
{
    std::fputs(Usage, stderr);
    return 2;
}

int list(const QString &package)
{
    PackageIndex index;
    if (!index.loadPackageEntries(package)) {
        std::fprintf(stderr, "%s\n", qPrintable(resultMessage(1)));
        return 1;
    }
    for (const auto &file : index.files())
        std::printf("%d %s\n", int(file.second.size()), file.first.constData());
    return 0;
}

int cat(const QString &package, const QString &name)
{
    TAVQResourceManager &manager = TAVQResourceManager::instance();
    manager.openPackage(package);
    const char *data = nullptr;
    quint32 length = 0;
    if (!manager.fileData(name, &data, &length)) {
        std::fprintf(stderr, "tavqpkg: %s: no such file in the package\n", qPrintable(name));
        return 1;
    }
    return std::fwrite(data, 1, length, stdout) == length ? 0 : 1;
}

// "line:column: ..." of the first character of `text` that GBK cannot hold
// (both from 1, columns in characters); empty when there is none.
QString firstUnencodable(const QString &text)
{
    int line = 1;
    int column = 1;
    for (int i = 0; i < text.size(); ++i) {
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        bool ok = false;
        TextCodec::fromUnicode(character, "GBK", &ok);
        if (!ok) {
            const QString code = QString::number(character.toUcs4().value(0), 16).toUpper();
            return QStringLiteral("%1:%2: \"%3\" (U+%4) cannot be written in GBK")
                .arg(line)
                .arg(column)
                .arg(character, code.rightJustified(4, QLatin1Char('0')));
        }
        if (character == QLatin1String("\n")) {
            ++line;
            column = 1;
        } else {
            ++column;
        }
        i += length - 1;
    }
    return QString();
}

// Turns the UTF-8 page `name` into GBK; false, with the message in `error`,
// when it is not UTF-8 or holds a character GBK cannot: a package must not
// lose text.
bool toGbk(const QString &name, QByteArray *bytes, QString *error)
{
    if (!TextCodec::isAvailable("GBK")) {
        *error = name + QLatin1String(": no GBK codec on this system");
        return false;
    }
    bool valid = false;
    const QString text = TextCodec::toUnicode(*bytes, "UTF-8", &valid);
    if (!valid) {
        *error = name + QLatin1String(": not UTF-8 text");
        return false;
    }
    bool encoded = false;
    QByteArray gbk = TextCodec::fromUnicode(text, "GBK", &encoded);
    if (!encoded) {
        *error = name + QLatin1Char(':') + firstUnencodable(text);
        return false;
    }
    *bytes = std::move(gbk);
    return true;
}

int pack(const QString &dir, const QString &out, bool gbk)
{
    QDir root(dir);
    // Absolute, so that the names found below it come out relative to it.
    root.makeAbsolute();
    if (!root.exists()) {
        std::fprintf(stderr, "tavqpkg: %s: no such folder\n", qPrintable(dir));
        return 1;
    }
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(out).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) {
        std::fprintf(stderr, "tavqpkg: %s: cannot create the package\n", qPrintable(out));
        return 1;
    }
    QStringList names;
    QDirIterator it(root.path(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        names << root.relativeFilePath(it.next());
    names.sort();
    // libzip reads the sources when the archive is closed.
    std::vector<QByteArray> contents;
    contents.reserve(size_t(names.size()));
    for (const QString &name : names) {
        QFile file(root.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "tavqpkg: %s: cannot read\n", qPrintable(file.fileName()));
            zip_discard(archive);
            return 1;
        }
        contents.push_back(file.readAll());
        QByteArray &bytes = contents.back();
        QString error;
        if (gbk && name.endsWith(QLatin1String(".json"), Qt::CaseInsensitive) && !toGbk(name, &bytes, &error)) {
            std::fprintf(stderr, "tavqpkg: %s\n", error.toUtf8().constData());
            zip_discard(archive);
            return 1;
        }
        zip_source_t *source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!source || zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            std::fprintf(stderr, "tavqpkg: %s: %s\n", qPrintable(name), zip_strerror(archive));
            zip_discard(archive);
            return 1;
        }
    }
    if (zip_close(archive) != 0) {
        std::fprintf(stderr, "tavqpkg: %s: %s\n", qPrintable(out), zip_strerror(archive));
        zip_discard(archive);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("list"))
        return list(args[1]);
    if (args.size() == 3 && args[0] == QLatin1String("cat"))
        return cat(args[1], args[2]);
    if (args.size() == 3 && args[0] == QLatin1String("pack"))
        return pack(args[1], args[2], false);
    if (args.size() == 4 && args[0] == QLatin1String("pack") && args[1] == QLatin1String("--gbk"))
        return pack(args[2], args[3], true);
    return usage();
}

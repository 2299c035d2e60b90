#include "tavqresourcemanager_p.h"

#include "base/tavqjson_p.h"
#include "base/tavqlimits.h"
#include "tavqpagesource_p.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <iterator>

#include <json/value.h>

namespace TAVQtLib {

namespace {

// The image the reader reads, unless its header tells no size or one whose
// pixels would take more than the bound: a few bytes can claim gigabytes.
std::shared_ptr<QImage> decode(QImageReader &reader)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    // Room for 8-byte pixels (16-bit sources) of any image the check below lets through.
    reader.setAllocationLimit(int((2 * Limits::MaxImageBytes) >> 20));
#endif
    const QSize size = reader.size();
    if (size.isEmpty() || qint64(size.width()) * size.height() * 4 > Limits::MaxImageBytes)
        return nullptr;
    auto image = std::make_shared<QImage>(reader.read());
    if (image->width() == 0)
        return nullptr;
    return image;
}

} // namespace

TAVQResourceManager::TAVQResourceManager()
    : d(std::make_unique<TAVQResourceManagerPrivate>())
{
}

TAVQResourceManager::~TAVQResourceManager() = default;

TAVQResourceManager &TAVQResourceManager::instance()
{
    static TAVQResourceManager manager;
    return manager;
}

bool TAVQResourceManager::openPackage(const QString &path)
{
    d->packagePath = path;
    if (!d->package.loadPackageEntries(path))
        return false;
    // The package's own sheet, whatever folder was loaded before.
    return d->loadStyleSheet(TAVQPageSource(&d->package, QString()).styleSheet());
}

bool TAVQResourceManagerPrivate::loadStyleSheet(const TAVQSourceFile &sheet)
{
    const QByteArray &bytes = sheet.bytes;
    Json::Value root;
    if (bytes.isEmpty() || !JsonRead::parseDocument(bytes.constData(), bytes.constData() + bytes.size(), &root))
        return false;
    const Json::Value *styles = JsonRead::member(root, "style");
    if (!styles)
        return false;
    TAVQtLib::parseStyles(*styles, &boxStyles, &fontStyles);
    return true;
}

bool TAVQResourceManager::fileData(const QString &name, const char **data, quint32 *length) const
{
    const std::optional<PackageFile> file = d->package.findFile(TAVQPageSource::packageKey(name));
    if (!file)
        return false;
    if (data)
        *data = file->data;
    if (length)
        *length = quint32(file->length);
    return true;
}

QImage *TAVQResourceManagerPrivate::cacheImage(const QString &name, std::shared_ptr<QImage> image)
{
    QImage *raw = image.get();
    images[name] = std::move(image);
    return raw;
}

QImage *TAVQResourceManager::image(const QString &name)
{
    const auto cached = d->images.find(name);
    if (cached != d->images.end())
        return cached->second.get();
    // The page source's order, each step cached apart; the built-in marks are
    // in d->images already. A package entry that does not decode leaves the
    // folder to answer.
    const TAVQPageSource files(&d->package, d->folderPath);
    if (std::shared_ptr<QImage> found = d->packageImage(name, files))
        return d->cacheImage(name, std::move(found));
    if (std::shared_ptr<QImage> found = d->diskImage(name, files))
        return d->cacheImage(name, std::move(found));
    return nullptr;
}

std::shared_ptr<QImage> TAVQResourceManagerPrivate::packageImage(const QString &name, const TAVQPageSource &files)
{
    TAVQSourceFile entry = files.packageEntry(name);
    if (!entry.found())
        return nullptr;
    const QByteArray key = TAVQPageSource::packageKey(name);
    const auto known = packageImages.find(key);
    if (known != packageImages.end())
        return known->second;
    // As QImage::loadFromData reads: the format is guessed from the bytes.
    QBuffer buffer(&entry.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    std::shared_ptr<QImage> image = decode(reader);
    packageImages.emplace(key, image);
    return image;
}

std::shared_ptr<QImage> TAVQResourceManagerPrivate::diskImage(const QString &name, const TAVQPageSource &files)
{
    const QString path = files.folderImage(name).path;
    // A file that is not there yet is looked for again at the next request.
    if (path.isEmpty())
        return nullptr;
    const QFileInfo file(path);
    // One that failed is tried again once it changes (the live preview edits them).
    DiskImage &known = diskImages[QDir::cleanPath(file.absoluteFilePath())];
    if (known.size == file.size() && known.modified == file.lastModified())
        return known.image;
    QImageReader reader(path);
    known = DiskImage{decode(reader), file.size(), file.lastModified()};
    return known.image;
}

bool TAVQResourceManager::boxStyle(const QString &name, TAVQBoxStyle &style) const
{
    if (name == QLatin1String("empty") || name == QLatin1String("emptyRect")) {
        style.visible = false;
        return true;
    }
    const auto it = d->boxStyles.constFind(name);
    if (it == d->boxStyles.constEnd())
        return false;
    style = *it;
    style.visible = true;
    return true;
}

bool TAVQResourceManager::fontStyle(const QString &name, TAVQFontStyle &style) const
{
    const auto it = d->fontStyles.constFind(name);
    if (it == d->fontStyles.constEnd())
        return false;
    style = *it;
    return true;
}

void TAVQResourceManager::setBoxStyle(const QString &name, const TAVQBoxStyle &style)
{
    d->boxStyles.insert(name, style);
}

void TAVQResourceManager::setFontStyle(const QString &name, const TAVQFontStyle &style)
{
    d->fontStyles.insert(name, style);
}

namespace {

const QColor BuiltinPenColor = QColor::fromRgba(0xFFCCCCCC);
const QRect BuiltinFrame(1, 1, 14, 14);

std::unique_ptr<QImage> builtinImage(void (*draw)(QPainter &))
{
    auto image = std::make_unique<QImage>(16, 16, QImage::Format_ARGB32);
    image->fill(0);
    QPainter painter(image.get());
    painter.setPen(QPen(BuiltinPenColor, 1));
    draw(painter);
    return image;
}

void drawUnselect(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.drawEllipse(BuiltinFrame);
}

void drawSelected(QPainter &p)
{
    drawUnselect(p);
    p.setBrush(BuiltinPenColor);
    p.drawEllipse(QPointF(8, 8), 4, 4);
}

void drawUncheck(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawRect(BuiltinFrame);
}

void drawChecked(QPainter &p)
{
    drawUncheck(p);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPoint mark[] = {QPoint(4, 9), QPoint(8, 13), QPoint(14, 3)};
    p.drawPolyline(mark, 3);
}

} // namespace

void TAVQResourceManager::createBuiltinImages()
{
    // In the order of BuiltinImageNames.
    void (*const draws[])(QPainter &) = {drawUnselect, drawSelected, drawUncheck, drawChecked};
    static_assert(std::size(draws) == std::size(BuiltinImageNames), "a drawing for each built-in name");
    for (std::size_t i = 0; i < std::size(draws); ++i)
        d->cacheImage(QLatin1String(BuiltinImageNames[i]), builtinImage(draws[i]));
}

bool TAVQResourceManager::loadStyleFolder(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    clear();
    d->folderPath = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    // The folder's own sheet, whatever package is open.
    return d->loadStyleSheet(TAVQPageSource(nullptr, d->folderPath).styleSheet());
}

void TAVQResourceManager::clear()
{
    for (auto it = d->images.begin(); it != d->images.end();) {
        if (it->first.contains(QLatin1String("IDB_")))
            ++it;
        else
            it = d->images.erase(it);
    }
    d->packageImages.clear();
    d->diskImages.clear();
    d->boxStyles.clear();
    d->fontStyles.clear();
}

void TAVQResourceManager::closePackage()
{
    d->package = PackageIndex();
    d->packagePath.clear();
    d->packageImages.clear();
}

void parseStyles(const Json::Value &styles)
{
    TAVQResourceManagerPrivate &d = TAVQResourceManagerPrivate::get(TAVQResourceManager::instance());
    parseStyles(styles, &d.boxStyles, &d.fontStyles);
}

QString TAVQResourceManager::packagePath() const
{
    return d->packagePath;
}

QString TAVQResourceManager::folderPath() const
{
    return d->folderPath;
}

} // namespace TAVQtLib

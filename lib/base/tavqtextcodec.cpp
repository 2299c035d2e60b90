#include "tavqtextcodec.h"

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QStringDecoder>
#include <QStringEncoder>
#else
#include <QTextCodec>
#endif

namespace TAVQtLib {

namespace TextCodec {

namespace {

void setOk(bool *ok, bool value)
{
    if (ok)
        *ok = value;
}

} // namespace

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)

// Stateless: a sequence cut short at the end counts as an error, as Qt 5's
// converter state reports it.
bool isAvailable(const char *encoding)
{
    return QStringDecoder(encoding).isValid();
}

QString toUnicode(const QByteArray &bytes, const char *encoding, bool *ok)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        setOk(ok, false);
        return QString::fromLocal8Bit(bytes);
    }
    QString text = decoder.decode(bytes);
    setOk(ok, !decoder.hasError());
    return text;
}

QByteArray fromUnicode(const QString &text, const char *encoding, bool *ok)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
    if (!encoder.isValid()) {
        setOk(ok, false);
        return text.toLocal8Bit();
    }
    QByteArray bytes = encoder.encode(text);
    setOk(ok, !encoder.hasError());
    return bytes;
}

#else

bool isAvailable(const char *encoding)
{
    return QTextCodec::codecForName(encoding) != nullptr;
}

QString toUnicode(const QByteArray &bytes, const char *encoding, bool *ok)
{
    QTextCodec *codec = QTextCodec::codecForName(encoding);
    if (!codec) {
        setOk(ok, false);
        return QString::fromLocal8Bit(bytes);
    }
    QTextCodec::ConverterState state;
    QString text = codec->toUnicode(bytes.constData(), bytes.size(), &state);
    setOk(ok, state.invalidChars == 0 && state.remainingChars == 0);
    return text;
}

QByteArray fromUnicode(const QString &text, const char *encoding, bool *ok)
{
    QTextCodec *codec = QTextCodec::codecForName(encoding);
    if (!codec) {
        setOk(ok, false);
        return text.toLocal8Bit();
    }
    QTextCodec::ConverterState state;
    QByteArray bytes = codec->fromUnicode(text.constData(), text.size(), &state);
    setOk(ok, state.invalidChars == 0);
    return bytes;
}

#endif

} // namespace TextCodec
} // namespace TAVQtLib

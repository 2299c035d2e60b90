#ifndef TAVQ_TEXTCODEC_H
#define TAVQ_TEXTCODEC_H

#include "tavqtlib_export.h"

#include <QByteArray>
#include <QString>

namespace TAVQtLib {

/// Conversion between text and the byte encodings pages and packages use
/// ("GBK", "UTF-8"). Qt 5 converts with QTextCodec, Qt 6 with QStringDecoder and
/// QStringEncoder; both use the same ICU tables, so the results are the same.
namespace TextCodec {

/// Whether `encoding` can be converted at all on this system.
TAVQTLIB_EXPORT bool isAvailable(const char *encoding);
/// `bytes` decoded from `encoding`; a leading byte order mark is dropped. `*ok`,
/// when given, tells whether every byte sequence was valid and complete. Without
/// the encoding the bytes are read as the locale's.
TAVQTLIB_EXPORT QString toUnicode(const QByteArray &bytes, const char *encoding, bool *ok = nullptr);
/// `text` encoded in `encoding`; `*ok`, when given, tells whether every
/// character could be encoded. Without the encoding, the locale's bytes.
TAVQTLIB_EXPORT QByteArray fromUnicode(const QString &text, const char *encoding, bool *ok = nullptr);

} // namespace TextCodec

} // namespace TAVQtLib

#endif

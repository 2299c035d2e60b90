#ifndef TAVQ_ZIPCRYPT_H
#define TAVQ_ZIPCRYPT_H

#include <QByteArray>

namespace TAVQtLib {

// The keys of traditional PKWARE encryption, for decrypting an entry byte by byte.
class ZipCryptKeys
{
public:
    explicit ZipCryptKeys(const QByteArray &password);
    // The plain byte of `c`; the keys move on with it.
    uchar decrypt(uchar c);

private:
    void update(uchar c);

    quint32 m_keys[3] = {305419896u, 591751049u, 878082192u};
};

} // namespace TAVQtLib

#endif

#include "zipcrypt_p.h"

#include <zlib.h>

namespace TAVQtLib {

namespace {

quint32 crcByte(quint32 crc, uchar b)
{
    static const z_crc_t *table = get_crc_table();
    return table[(crc ^ b) & 0xFF] ^ (crc >> 8);
}

} // namespace

ZipCryptKeys::ZipCryptKeys(const QByteArray &password)
{
    for (char c : password)
        update(uchar(c));
}

uchar ZipCryptKeys::decrypt(uchar c)
{
    const quint32 t = (m_keys[2] & 0xFFFF) | 2;
    c ^= uchar(((t * (t ^ 1)) >> 8) & 0xFF);
    update(c);
    return c;
}

void ZipCryptKeys::update(uchar c)
{
    m_keys[0] = crcByte(m_keys[0], c);
    m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFF)) * 134775813u + 1;
    m_keys[2] = crcByte(m_keys[2], uchar(m_keys[1] >> 24));
}

} // namespace TAVQtLib

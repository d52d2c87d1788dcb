#include "bmpcheck.h"

#include <QFile>
#include <QtEndian>
#include <cstring>
#include <functional>

namespace {
const uint16_t kBmpType = 0x4D42;   // "BM"
const uint32_t kInfoHeaderWithMasks = 56;

uint16_t U16(const unsigned char* p) { return qFromLittleEndian<quint16>(p); }
uint32_t U32(const unsigned char* p) { return qFromLittleEndian<quint32>(p); }
int32_t I32(const unsigned char* p) { return qFromLittleEndian<qint32>(p); }

// Reads the next n bytes of the bitmap; false when fewer are left.
using ReadFn = std::function<bool(unsigned char *p, size_t n)>;

// The diagnostic line of a refused bitmap; always false.
bool Refuse(const char *pszWhy)
{
    printf("%s\n\n", pszWhy);
    fflush(stdout);
    return false;
}

// Decoded field by field: the on-disk layout is packed little-endian, which a
// plain struct read would not match on every compiler.
bool ReadHeader(const ReadFn &read, T_BmpHeader *header)
{
    unsigned char fh[14];
    if (!read(fh, sizeof(fh)))
        return Refuse("read file header error!");
    header->type = U16(fh);
    header->fileSize = U32(fh + 2);
    header->reserved1 = U16(fh + 6);
    header->reserved2 = U16(fh + 8);
    header->offBits = U32(fh + 10);
    if (header->type != kBmpType)
        return Refuse("Not bmp file!");

    unsigned char ih[40];
    if (!read(ih, sizeof(ih)))
        return Refuse("read info header error!");
    header->size = U32(ih);
    header->width = I32(ih + 4);
    header->height = I32(ih + 8);
    header->planes = U16(ih + 12);
    header->bitCount = U16(ih + 14);
    header->compression = U32(ih + 16);
    header->sizeImage = U32(ih + 20);
    header->xPelsPerMeter = I32(ih + 24);
    header->yPelsPerMeter = I32(ih + 28);
    header->clrUsed = U32(ih + 32);
    header->clrImportant = U32(ih + 36);

    // Masks follow only the 56-byte header; larger headers hold them too but
    // are not looked at.
    if (header->size == kInfoHeaderWithMasks) {
        unsigned char masks[16];
        if (!read(masks, sizeof(masks)))
            return Refuse("read extra bit mask error!");
        header->redMask = U32(masks);
        header->greenMask = U32(masks + 4);
        header->blueMask = U32(masks + 8);
        header->alphaMask = U32(masks + 12);
    }
    return true;
}

bool IsSupportedFormat(const T_BmpHeader &header)
{
    bool ok = false;
    switch (header.bitCount) {
    case 16:
        ok = header.redMask == 0xF800 && header.greenMask == 0x07E0
          && header.blueMask == 0x001F && header.alphaMask == 0;
        printf(ok ? " ** This is a 16 bits 565 file\n"
                  : " ** This is a uncorect 16 bits file !\n");
        break;
    case 32:
        ok = header.redMask == 0 && header.greenMask == 0
          && header.blueMask == 0 && header.alphaMask == 0;
        printf(ok ? " ** This is a 32 bits A8888 file\n"
                  : " ** This is a uncorect 32 bits file !\n");
        break;
    default:
        printf(" ** This is a %d bits file!\n", int(int16_t(header.bitCount)));
        break;
    }
    fflush(stdout);
    return ok;
}

} // namespace

bool CBmpCheck::IsSupportedBmpFile(QString path)
{
    // QFile::encodeName gives the 8-bit form the C library expects here.
    FILE* fp = fopen(QFile::encodeName(path).constData(), "rb");
    T_BmpHeader header;
    memset(&header, 0, sizeof(header));

    if (!fp)
        return Refuse("bmp file open failed!");
    const bool ok = ReadBmpHeader(fp, &header) && IsSupportedFormat(header);
    fclose(fp);
    return ok;
}

bool CBmpCheck::IsSupportedBmpData(const QByteArray& data)
{
    T_BmpHeader header;
    memset(&header, 0, sizeof(header));
    int nPos = 0;
    const ReadFn read = [&data, &nPos](unsigned char* p, size_t n) {
        if (nPos + int(n) > data.size())
            return false;
        memcpy(p, data.constData() + nPos, n);
        nPos += int(n);
        return true;
    };
    return ReadHeader(read, &header) && IsSupportedFormat(header);
}

bool CBmpCheck::ReadBmpHeader(FILE* stream, T_BmpHeader* header)
{
    return ReadHeader([stream](unsigned char* p, size_t n) { return fread(p, n, 1, stream) == 1; }, header);
}

#ifndef HOI_CONSOLE_BMPCHECK_H
#define HOI_CONSOLE_BMPCHECK_H

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>

// The headers at the start of a Windows bitmap, decoded little-endian.
// Cleared before each check, so fields that are not read stay zero.
struct T_BmpHeader
{
    // file header (14 bytes)
    uint16_t type;
    uint32_t fileSize;
    uint16_t reserved1;
    uint16_t reserved2;
    uint32_t offBits;
    // info header (40 bytes, BITMAPINFOHEADER)
    uint32_t size;
    int32_t width;
    int32_t height;
    uint16_t planes;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t sizeImage;
    int32_t xPelsPerMeter;
    int32_t yPelsPerMeter;
    uint32_t clrUsed;
    uint32_t clrImportant;
    // colour masks, read only for a 56-byte info header
    uint32_t redMask;
    uint32_t greenMask;
    uint32_t blueMask;
    uint32_t alphaMask;
};

// Tells whether a bitmap is in one of the two pixel formats the devices take
// as a power-on logo: 16-bit RGB565 or 32-bit without colour masks. Reads the
// headers only; pixels are never decoded, the file is uploaded as it is.
// Each call prints one diagnostic line to the standard output.
class CBmpCheck
{
public:
    CBmpCheck() {}

    bool IsSupportedBmpFile(QString path);
    // The same check on the bytes of a bitmap (the ones about to be sent).
    bool IsSupportedBmpData(const QByteArray& data);
    bool ReadBmpHeader(FILE* stream, T_BmpHeader* header);
};

#endif // HOI_CONSOLE_BMPCHECK_H

#pragma once
// Window positions are kept in twips (1440 per inch) and colours as 0xBBGGRR, as the
// program's layouts and colour tables give them; these convert them for Qt.
#include <QColor>
#include <cstdint>

inline int twipsToPixels(int twips, int dpi = 96) { return (twips * dpi + 720) / 1440; }

inline QColor bgrToQColor(uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

inline uint32_t qColorToBgr(const QColor& c)
{
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
           (static_cast<uint32_t>(c.blue()) << 16);
}

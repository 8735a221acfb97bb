#include "windows1251.h"

#include <QHash>

namespace {

// Unicode of bytes 0x80 to 0xBF (0 where the code page has no character); 0xC0 to 0xFF are
// А to я in order, below 0x80 ASCII.
constexpr char16_t kHighHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0,      0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

const QHash<char32_t, char>& highHalf() {
    static const QHash<char32_t, char> bytes = [] {
        QHash<char32_t, char> map;
        for (int i = 0; i < 64; ++i)
            if (kHighHalf[i]) map.insert(kHighHalf[i], static_cast<char>(0x80 + i));
        return map;
    }();
    return bytes;
}

char toByte(char32_t c) {
    if (c < 0x80) return static_cast<char>(c);
    if (c >= 0x0410 && c <= 0x044F) return static_cast<char>(0xC0 + (c - 0x0410));
    return highHalf().value(c, '?');
}

} // namespace

bool FitsWindows1251(const QString& text) {
    for (const char32_t c : text.toUcs4())
        if (c != U'?' && toByte(c) == '?') return false;
    return true;
}

QByteArray ToWindows1251(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t c : text.toUcs4())
        bytes.append(toByte(c));
    return bytes;
}

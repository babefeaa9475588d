// The password hash of a document's editing restriction.

#include "platform/word/protection.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <array>
#include <cstring>

namespace word {

namespace {

// The starting high word, by password length 1..15.
constexpr std::array<std::uint16_t, 15> kInitialCode = {0xE1F0, 0x1D0F, 0xCC9C, 0x84C0, 0x110C,
                                                        0x0E10, 0xF1CE, 0x313E, 0x1872, 0xE139,
                                                        0xD40F, 0x84F9, 0x280C, 0xA96A, 0x4EC3};

// Seven words per character position, one per bit 0..6.
constexpr std::array<std::uint16_t, 105> kMatrix = {
    0xAEFC, 0x4DD9, 0x9BB2, 0x2745, 0x4E8A, 0x9D14, 0x2A09, 0x7B61, 0xF6C2, 0xFDA5, 0xEB6B, 0xC6F7, 0x9DCF, 0x2BBF,
    0x4563, 0x8AC6, 0x05AD, 0x0B5A, 0x16B4, 0x2D68, 0x5AD0, 0x0375, 0x06EA, 0x0DD4, 0x1BA8, 0x3750, 0x6EA0, 0xDD40,
    0xD849, 0xA0B3, 0x5147, 0xA28E, 0x553D, 0xAA7A, 0x44D5, 0x6F45, 0xDE8A, 0xAD35, 0x4A4B, 0x9496, 0x390D, 0x721A,
    0xEB23, 0xC667, 0x9CEF, 0x29FF, 0x53FE, 0xA7FC, 0x5FD9, 0x47D3, 0x8FA6, 0x0F6D, 0x1EDA, 0x3DB4, 0x7B68, 0xF6D0,
    0xB861, 0x60E3, 0xC1C6, 0x93AD, 0x377B, 0x6EF6, 0xDDEC, 0x45A0, 0x8B40, 0x06A1, 0x0D42, 0x1A84, 0x3508, 0x6A10,
    0xAA51, 0x4483, 0x8906, 0x022D, 0x045A, 0x08B4, 0x1168, 0x76B4, 0xED68, 0xCAF1, 0x85C3, 0x1BA7, 0x374E, 0x6E9C,
    0x3730, 0x6E60, 0xDCC0, 0xA9A1, 0x4363, 0x86C6, 0x1DAD, 0x3331, 0x6662, 0xCCC4, 0x89A9, 0x0373, 0x06E6, 0x0DCC,
    0x1021, 0x2042, 0x4084, 0x8108, 0x1231, 0x2462, 0x48C4};

std::uint16_t rotate15(std::uint16_t v)
{
    return std::uint16_t(((v >> 14) & 0x0001) | ((v << 1) & 0x7FFF));
}

} // namespace

std::uint32_t legacyPasswordKey(const QString &password)
{
    QByteArray bytes;
    for (QChar c : password.left(15)) {
        const std::uint16_t u = c.unicode();
        bytes += char((u & 0x00FF) != 0 ? (u & 0x00FF) : (u >> 8));
    }
    const int n = int(bytes.size());
    if (n == 0)
        return 0;
    std::uint16_t high = kInitialCode[size_t(n - 1)];
    for (int i = 0; i < n; ++i) {
        const std::uint8_t ch = std::uint8_t(bytes[i]);
        const size_t row = size_t(15 - n + i) * 7;
        for (int bit = 0; bit < 7; ++bit)
            if (ch & (1u << bit))
                high ^= kMatrix[row + size_t(bit)];
    }
    std::uint16_t low = 0;
    for (int i = n - 1; i >= 0; --i)
        low = rotate15(low) ^ std::uint8_t(bytes[i]);
    low = rotate15(low) ^ std::uint16_t(n) ^ 0xCE4B;
    return (std::uint32_t(high) << 16) | low;
}

QByteArray protectionHash(const QString &password, const QByteArray &salt, int spinCount)
{
    const std::uint32_t key = legacyPasswordKey(password);
    QString hex;
    for (int b = 0; b < 4; ++b)
        hex += QStringLiteral("%1").arg((key >> (8 * b)) & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    QByteArray keyText;
    for (QChar c : hex) {
        keyText += char(c.unicode() & 0xFF);
        keyText += char(c.unicode() >> 8);
    }
    // One hasher and one buffer for every round: the hash, then the round's
    // number.
    QCryptographicHash sha1(QCryptographicHash::Sha1);
    sha1.addData(salt + keyText);
    constexpr qsizetype kHashSize = 20;
    std::array<char, kHashSize + 4> round{};
    std::memcpy(round.data(), sha1.resultView().data(), kHashSize);
    for (int i = 0; i < spinCount; ++i) {
        for (int b = 0; b < 4; ++b)
            round[size_t(kHashSize + b)] = char((std::uint32_t(i) >> (8 * b)) & 0xFF);
        sha1.reset();
        sha1.addData(QByteArrayView(round.data(), qsizetype(round.size())));
        std::memcpy(round.data(), sha1.resultView().data(), kHashSize);
    }
    return QByteArray(round.data(), kHashSize);
}

QByteArray protectionSalt()
{
    QByteArray salt(16, '\0');
    for (char &c : salt)
        c = char(QRandomGenerator::system()->bounded(256));
    return salt;
}

} // namespace word

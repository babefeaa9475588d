// The password hash of a document's editing restriction.

#include "platform/word/protection.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <array>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace word {

namespace {

// The starting high word, by password length 1..15.
constexpr std::array<std::uint16_t, 15> kInitialCode = {0xE1F0, 0x1D0F, 0xCC9C, 0x84C0, 0x110C, 0x0E10, 0xF1CE, 0x313E,
                                                        0x1872, 0xE139, 0xD40F, 0x84F9, 0x280C, 0xA96A, 0x4EC3};

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

// A SHA-1 hash as its five words (each byte string read big-endian).
using Sha1Words = std::array<std::uint32_t, 5>;

constexpr Sha1Words kSha1Start = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u};

std::uint32_t rotl(std::uint32_t v, int n)
{
    return (v << n) | (v >> (32 - n));
}

// The round's number as the four bytes lowest first, read as a word.
std::uint32_t roundWord(std::uint32_t round)
{
    return (round & 0xFF) << 24 | (round & 0xFF00) << 8 | (round >> 8 & 0xFF00) | round >> 24;
}

// The rounds of the hash: `count` times SHA-1 of the hash before and the
// round's number. Those 24 bytes fill one block whose end mark (word 6) and
// length in bits (word 15, 192) are always the same, so each block is made
// of words at once.
Sha1Words rounds(Sha1Words h, int count)
{
    for (int i = 0; i < count; ++i) {
        std::uint32_t w[16] = {h[0], h[1], h[2], h[3], h[4],  roundWord(std::uint32_t(i)), 0x80000000u, 0, 0, 0, 0,
                               0,    0,    0,    0,    24 * 8};
        std::uint32_t a = kSha1Start[0], b = kSha1Start[1], c = kSha1Start[2], d = kSha1Start[3], e = kSha1Start[4];
        auto step = [&](std::uint32_t f, std::uint32_t k, std::uint32_t wt) {
            const std::uint32_t next = rotl(a, 5) + f + e + k + wt;
            e = d;
            d = c;
            c = rotl(b, 30);
            b = a;
            a = next;
        };
        // The message schedule in place: word t from t-3, t-8, t-14, t-16.
        auto word = [&w](int t) {
            const std::uint32_t v = rotl(w[(t + 13) & 15] ^ w[(t + 8) & 15] ^ w[(t + 2) & 15] ^ w[t & 15], 1);
            w[t & 15] = v;
            return v;
        };
#pragma GCC unroll 16
        for (int t = 0; t < 16; ++t)
            step((b & c) | (~b & d), 0x5A827999u, w[t]);
#pragma GCC unroll 4
        for (int t = 16; t < 20; ++t)
            step((b & c) | (~b & d), 0x5A827999u, word(t));
#pragma GCC unroll 20
        for (int t = 20; t < 40; ++t)
            step(b ^ c ^ d, 0x6ED9EBA1u, word(t));
#pragma GCC unroll 20
        for (int t = 40; t < 60; ++t)
            step((b & c) | (b & d) | (c & d), 0x8F1BBCDCu, word(t));
#pragma GCC unroll 20
        for (int t = 60; t < 80; ++t)
            step(b ^ c ^ d, 0xCA62C1D6u, word(t));
        h = {kSha1Start[0] + a, kSha1Start[1] + b, kSha1Start[2] + c, kSha1Start[3] + d, kSha1Start[4] + e};
    }
    return h;
}

#if defined(__x86_64__) || defined(__i386__)
#define TAVIR_SHA_INSTRUCTIONS __attribute__((target("sha,sse4.1")))

// Four steps of the block with the processor's SHA instructions: A..D in
// one register (A highest), E and the words of the schedule in the others.
template <int G>
TAVIR_SHA_INSTRUCTIONS __attribute__((always_inline)) inline void fourSteps(__m128i (&m)[4], __m128i &abcd, __m128i &e)
{
    const __m128i next = G == 0 ? _mm_add_epi32(e, m[0]) : _mm_sha1nexte_epu32(e, m[G & 3]);
    e = abcd;
    abcd = _mm_sha1rnds4_epu32(abcd, next, G / 5);
    // The words of steps 4G+4 .. 4G+15 as far as these words take them.
    if constexpr (G >= 3 && G <= 18)
        m[(G + 1) & 3] = _mm_sha1msg2_epu32(m[(G + 1) & 3], m[G & 3]);
    if constexpr (G >= 1 && G <= 16)
        m[(G + 3) & 3] = _mm_sha1msg1_epu32(m[(G + 3) & 3], m[G & 3]);
    if constexpr (G >= 2 && G <= 17)
        m[(G + 2) & 3] = _mm_xor_si128(m[(G + 2) & 3], m[G & 3]);
}

template <int... G>
TAVIR_SHA_INSTRUCTIONS __attribute__((always_inline)) inline void block(std::integer_sequence<int, G...>,
                                                                        __m128i (&m)[4], __m128i &abcd, __m128i &e)
{
    (fourSteps<G>(m, abcd, e), ...);
}

// rounds() with the SHA instructions.
TAVIR_SHA_INSTRUCTIONS Sha1Words roundsWithShaInstructions(Sha1Words h, int count)
{
    const __m128i abcdStart =
        _mm_set_epi32(int(kSha1Start[0]), int(kSha1Start[1]), int(kSha1Start[2]), int(kSha1Start[3]));
    const __m128i eStart = _mm_set_epi32(int(kSha1Start[4]), 0, 0, 0);
    __m128i abcd = _mm_set_epi32(int(h[0]), int(h[1]), int(h[2]), int(h[3]));
    int e = int(h[4]);
    for (int i = 0; i < count; ++i) {
        __m128i m[4] = {abcd, _mm_set_epi32(e, int(roundWord(std::uint32_t(i))), int(0x80000000u), 0),
                        _mm_setzero_si128(), _mm_set_epi32(0, 0, 0, 24 * 8)};
        __m128i a = abcdStart, ev = eStart;
        block(std::make_integer_sequence<int, 20>{}, m, a, ev);
        e = _mm_extract_epi32(_mm_sha1nexte_epu32(ev, eStart), 3);
        abcd = _mm_add_epi32(a, abcdStart);
    }
    return {std::uint32_t(_mm_extract_epi32(abcd, 3)), std::uint32_t(_mm_extract_epi32(abcd, 2)),
            std::uint32_t(_mm_extract_epi32(abcd, 1)), std::uint32_t(_mm_extract_epi32(abcd, 0)), std::uint32_t(e)};
}

bool haveShaInstructions()
{
    unsigned a = 0, b = 0, c = 0, d = 0;
    const bool sse41 = __get_cpuid(1, &a, &b, &c, &d) && (c & bit_SSE4_1);
    return sse41 && __get_cpuid_count(7, 0, &a, &b, &c, &d) && (b & bit_SHA);
}
#endif

QByteArray hashOfKey(const QString &password, const QByteArray &salt, int spinCount, bool shaInstructions)
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
    const QByteArray first = QCryptographicHash::hash(salt + keyText, QCryptographicHash::Sha1);
    Sha1Words h;
    for (size_t k = 0; k < h.size(); ++k)
        h[k] = std::uint32_t(std::uint8_t(first[qsizetype(4 * k)])) << 24
               | std::uint32_t(std::uint8_t(first[qsizetype(4 * k + 1)])) << 16
               | std::uint32_t(std::uint8_t(first[qsizetype(4 * k + 2)])) << 8
               | std::uint32_t(std::uint8_t(first[qsizetype(4 * k + 3)]));
#if defined(__x86_64__) || defined(__i386__)
    h = shaInstructions ? roundsWithShaInstructions(h, spinCount) : rounds(h, spinCount);
#else
    Q_UNUSED(shaInstructions);
    h = rounds(h, spinCount);
#endif
    QByteArray out(20, Qt::Uninitialized);
    for (size_t k = 0; k < h.size(); ++k)
        for (size_t b = 0; b < 4; ++b)
            out[qsizetype(4 * k + b)] = char(h[k] >> (24 - 8 * b));
    return out;
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
#if defined(__x86_64__) || defined(__i386__)
    static const bool shaInstructions = haveShaInstructions();
#else
    constexpr bool shaInstructions = false;
#endif
    return hashOfKey(password, salt, spinCount, shaInstructions);
}

QByteArray protectionHashWithoutShaInstructions(const QString &password, const QByteArray &salt, int spinCount)
{
    return hashOfKey(password, salt, spinCount, false);
}

QByteArray protectionSalt()
{
    QByteArray salt(16, '\0');
    for (char &c : salt)
        c = char(QRandomGenerator::system()->bounded(256));
    return salt;
}

} // namespace word

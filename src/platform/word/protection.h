#pragma once
// The password hash of a protected document's editing restriction, as Word
// writes it in w:documentProtection: the password is first reduced to the
// 32-bit key of the older binary format, whose bytes (lowest first) are
// written as upper-case hexadecimal digits; that text, as UTF-16LE, is
// hashed with SHA-1 after a random salt, and the hash is hashed again
// spinCount times, each time followed by the iteration number (32-bit,
// little-endian).

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace word {

inline constexpr int kProtectionSpinCount = 100000;

// The 32-bit key of the older format: high word from the password's
// characters through the encryption matrix, low word the rotating
// verifier. 0 for an empty password. At most 15 characters count; a
// character whose low byte is 0 counts by its high byte.
std::uint32_t legacyPasswordKey(const QString &password);

// The SHA-1 hash of the key with this salt and spin count. The rounds use
// the processor's SHA instructions where it has them.
QByteArray protectionHash(const QString &password, const QByteArray &salt, int spinCount = kProtectionSpinCount);
// The same hash without those instructions, as on a processor that lacks
// them.
QByteArray protectionHashWithoutShaInstructions(const QString &password, const QByteArray &salt,
                                                int spinCount = kProtectionSpinCount);

// A fresh random salt of 16 bytes.
QByteArray protectionSalt();

} // namespace word

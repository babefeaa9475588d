// The editing restriction and its password hash.

#include "docx_reader.h"

#include "support/qstring_printer.h"

#include "platform/core/error.h"
#include "platform/word/document.h"
#include "platform/word/protection.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace word;

TEST(WordProtection, TheLegacyKeyEndsInThePasswordVerifier)
{
    // The low word is the 16-bit verifier of the older formats; "password"
    // gives 83AF there.
    EXPECT_EQ(legacyPasswordKey(QStringLiteral("password")) & 0xFFFF, 0x83AFu);
    EXPECT_EQ(legacyPasswordKey(QString()), 0u);
    // Only the first 15 characters count.
    EXPECT_EQ(legacyPasswordKey(QStringLiteral("abcdefghijklmnopqrs")),
              legacyPasswordKey(QStringLiteral("abcdefghijklmno")));
    EXPECT_NE(legacyPasswordKey(QStringLiteral("tramp4lu")), legacyPasswordKey(QStringLiteral("tramp4lv")));
}

TEST(WordProtection, FormsProtectionIsStoredWithASaltedSha1Hash)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("beschermd.docx"));
    Document doc;
    doc.Selection().TypeText(QStringLiteral("inhoud"));
    doc.Protect(wdAllowOnlyFormFields, QStringLiteral("tramp4lu"));
    doc.SaveAs(path);

    const QJsonObject p = wordtest::readDocx(path)[QStringLiteral("protection")].toObject();
    EXPECT_EQ(p[QStringLiteral("edit")].toString(), QStringLiteral("forms"));
    EXPECT_EQ(p[QStringLiteral("enforcement")].toString(), QStringLiteral("1"));
    EXPECT_EQ(p[QStringLiteral("cryptAlgorithmSid")].toString(), QStringLiteral("4"));
    EXPECT_EQ(p[QStringLiteral("cryptSpinCount")].toString(), QStringLiteral("100000"));
    const QByteArray salt = QByteArray::fromBase64(p[QStringLiteral("salt")].toString().toLatin1());
    const QByteArray hash = QByteArray::fromBase64(p[QStringLiteral("hash")].toString().toLatin1());
    EXPECT_EQ(salt.size(), 16);
    EXPECT_EQ(hash.size(), 20);
    EXPECT_EQ(protectionHash(QStringLiteral("tramp4lu"), salt), hash);
    EXPECT_NE(protectionHash(QStringLiteral("tramp4lv"), salt), hash);
    EXPECT_NE(protectionHash(QStringLiteral("tramp4lu"), salt, 99999), hash);
}

TEST(WordProtection, TheHashIsTheSaltedSha1ChainOfTheKeyText)
{
    // Worked out apart from this code (Python's hashlib): the key of
    // "tramp4lu" is 73A68ABB, its bytes lowest first "BB8AA673"; SHA-1 of
    // salt 00..0F and that text in UTF-16LE, then 100,000 rounds of SHA-1 of
    // the hash and the round's number.
    EXPECT_EQ(legacyPasswordKey(QStringLiteral("tramp4lu")), 0x73A68ABBu);
    QByteArray salt;
    for (char b = 0; b < 16; ++b)
        salt += b;
    EXPECT_EQ(protectionHash(QStringLiteral("tramp4lu"), salt).toBase64(), QByteArray("nDKMzBc6XjvFbkaIHQ9p9m+4rMI="));
    EXPECT_EQ(protectionHashWithoutShaInstructions(QStringLiteral("tramp4lu"), salt).toBase64(),
              QByteArray("nDKMzBc6XjvFbkaIHQ9p9m+4rMI="));
    // With and without the processor's SHA instructions alike, whatever the
    // salt, password and number of rounds.
    for (int spin : {0, 1, 2, 3, 1000, 65536}) {
        const QByteArray someSalt = protectionSalt();
        const QString password = QStringLiteral("w%1").arg(spin);
        EXPECT_EQ(protectionHash(password, someSalt, spin),
                  protectionHashWithoutShaInstructions(password, someSalt, spin))
            << spin;
    }
}

TEST(WordProtection, AnUnknownProtectionTypeIsRefused)
{
    Document doc;
    EXPECT_THROW(doc.Protect(4, QStringLiteral("x")), platform::Error);
    EXPECT_THROW(doc.Protect(-2, QStringLiteral("x")), platform::Error);
}

} // namespace

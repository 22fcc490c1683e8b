// AES, DES/TDEA and RC4 texts, checked against the openssl program on the
// same inputs.
#include <QByteArray>
#include <QCryptographicHash>
#include <QProcess>
#include <cstring>
#include <utility>
#include <gtest/gtest.h>
#include <string>

#include "log_capture.h"
#include "services/codec/block_ciphers.h"
#include "services/codec/engine_base64.h"
#include "tavix.h"

using tavix::test::LogCapture;

namespace {

// What `openssl enc <args>` writes for `input` (raw bytes, no salt, no padding).
QByteArray openssl(QStringList args, const QByteArray& input)
{
    args.prepend(QStringLiteral("enc"));
    args << "-nosalt" << "-nopad";
    QProcess process;
    process.start(QStringLiteral("openssl"), args);
    EXPECT_TRUE(process.waitForStarted(30000));
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

QByteArray zeroPadded(QByteArray bytes, int block)
{
    if (bytes.size() % block)
        bytes.append(block - bytes.size() % block, '\0');
    return bytes;
}

const QStringList kLegacy = {"-provider", "legacy", "-provider", "default"};

const char* const kTexts[] = {
    "",
    "hello",
    "12345678",                                   // one DES block exactly
    "0123456789abcdef",                           // one AES block exactly
    "0123456789abcdefg",                          // 17 bytes
    "Caf\xc3\xa9 cr\xc3\xa8me \xe4\xb8\xad\xe6\x96\x87 text",  // non-ASCII UTF-8
    "a rather longer text that spans many blocks of both ciphers, to check the chaining........",
};

class Ciphers : public ::testing::TestWithParam<const char*> {};

TEST_P(Ciphers, AesMatchesEcbWithTheKeysMd5)
{
    const QByteArray text(GetParam());
    for (const char* key : {"", "k", "a much longer key than sixteen bytes", "\xe5\xaf\x86\xe9\x92\xa5"}) {
        SCOPED_TRACE(key);
        const QByteArray md5 = QCryptographicHash::hash(key, QCryptographicHash::Md5).toHex();
        const QByteArray expected =
            openssl({"-aes-128-ecb", "-K", md5}, zeroPadded(text, 16)).toBase64();
        const std::string enciphered = TX_utils_encodeAes(GetParam(), key);
        EXPECT_EQ(QByteArray::fromStdString(enciphered), expected);
        // Back through Latin-1: characters outside it become "?".
        const QByteArray latin1 = QString::fromUtf8(text).toLatin1();
        EXPECT_EQ(QByteArray(TX_utils_decodeAes(enciphered.c_str(), key)), latin1);
    }
}

// DES key bytes as openssl takes them: filled up with "0" to 8 bytes, then
// the bytes the key count uses.
QByteArray desKeyHex(QByteArray key, int bytes)
{
    while (key.size() < 8)
        key.append('0');
    return key.left(bytes).toHex();
}

TEST_P(Ciphers, DesEncodeIsCbcDecipheringWithZeroIv)
{
    const QByteArray text(GetParam());
    struct KeyCase {
        QByteArray key;
        const char* cipher;
        int keyBytes;
    } keys[] = {
        {"", "-des-cbc", 8},
        {"abc", "-des-cbc", 8},
        {"12345678", "-des-cbc", 8},
        {"0123456789abcde", "-des-cbc", 8},               // 15 bytes: one key
        {"0123456789abcdef", "-des-ede-cbc", 16},         // two keys
        {"0123456789abcdefghijklm", "-des-ede-cbc", 16},  // 23 bytes: still two
        {"0123456789abcdefghijklmn", "-des-ede3-cbc", 24},
        {"0123456789abcdefghijklmnopqrstuvwxyz!@#$", "-des-ede3-cbc", 24},  // 40 bytes: the first 24
    };
    for (const KeyCase& k : keys) {
        SCOPED_TRACE(k.key.toStdString());
        QStringList args = kLegacy;
        args << k.cipher << "-d" << "-K" << desKeyHex(k.key, k.keyBytes) << "-iv" << "0000000000000000";
        const QByteArray expected = openssl(args, zeroPadded(text, 8)).toBase64();
        const std::string encoded = TX_utils_encodeDes(GetParam(), k.key.constData());
        EXPECT_EQ(QByteArray::fromStdString(encoded), expected);
        EXPECT_EQ(QByteArray(TX_utils_decodeDes(encoded.c_str(), k.key.constData())), text);
    }
}

TEST_P(Ciphers, Rc4MatchesTheStreamCipher)
{
    const QByteArray text(GetParam());
    // The openssl program takes RC4 keys of 16 bytes (-rc4) and 5 bytes (-rc4-40).
    for (const auto& [key, cipher] : {std::pair<QByteArray, const char*>{"sixteen byte key", "-rc4"},
                                      std::pair<QByteArray, const char*>{"five!", "-rc4-40"}}) {
        SCOPED_TRACE(key.toStdString());
        QStringList args = kLegacy;
        args << cipher << "-K" << key.toHex();
        const QByteArray expected = openssl(args, text).toBase64();
        const std::string encoded = TX_utils_encodeRc4(GetParam(), key.constData());
        EXPECT_EQ(QByteArray::fromStdString(encoded), expected);
        EXPECT_EQ(QByteArray(TX_utils_decodeRc4(encoded.c_str(), key.constData())), text);
    }
    const std::string shortKey = TX_utils_encodeRc4(GetParam(), "k");
    EXPECT_EQ(QByteArray(TX_utils_decodeRc4(shortKey.c_str(), "k")), text);
}

INSTANTIATE_TEST_SUITE_P(Texts, Ciphers, ::testing::ValuesIn(kTexts));

TEST(CipherRules, AesBlockCounts)
{
    EXPECT_STREQ(TX_utils_encodeAes("", "key"), "");
    EXPECT_EQ(std::strlen(TX_utils_encodeAes("0123456789abcdef", "key")), 24u);
    EXPECT_EQ(std::strlen(TX_utils_encodeAes("0123456789abcdefg", "key")), 44u);
    EXPECT_STREQ(TX_utils_encodeAes(nullptr, nullptr), "");
}

TEST(CipherRules, AesDecodeOfChineseGivesQuestionMarks)
{
    const std::string enciphered = TX_utils_encodeAes("\xe4\xb8\xad\xe6\x96\x87 ok", "key");
    EXPECT_STREQ(TX_utils_decodeAes(enciphered.c_str(), "key"), "?? ok");
}

TEST(CipherRules, AesDecodeOfBrokenInput)
{
    const std::string enciphered = TX_utils_encodeAes("0123456789abcdefXYZ", "key");  // two blocks
    // Stray characters are skipped; a trailing partial block is left out.
    const std::string spaced = enciphered.substr(0, 10) + " \n*" + enciphered.substr(10);
    EXPECT_STREQ(TX_utils_decodeAes(spaced.c_str(), "key"), "0123456789abcdefXYZ");
    const QByteArray cut = QByteArray::fromBase64(QByteArray::fromStdString(enciphered)).left(20).toBase64();
    EXPECT_STREQ(TX_utils_decodeAes(cut.constData(), "key"), "0123456789abcdef");
    EXPECT_STREQ(TX_utils_decodeAes("", "key"), "");
    EXPECT_STREQ(TX_utils_decodeAes("!!!!", "key"), "");
    EXPECT_STREQ(TX_utils_decodeAes(nullptr, nullptr), "");
}

TEST(CipherRules, DesKeysAndLengths)
{
    EXPECT_STREQ(TX_utils_encodeDes("some text", "abc"), std::string(TX_utils_encodeDes("some text", "abc00000")).c_str());
    EXPECT_STREQ(TX_utils_encodeDes("some text", nullptr), std::string(TX_utils_encodeDes("some text", "00000000")).c_str());
    const std::string key40 = "0123456789abcdefghijklmnopqrstuvwxyz!@#$";
    EXPECT_STREQ(TX_utils_encodeDes("text", key40.c_str()),
                 std::string(TX_utils_encodeDes("text", key40.substr(0, 24).c_str())).c_str());
    // A multiple of 8 needs no padding block.
    EXPECT_EQ(QByteArray::fromBase64(TX_utils_encodeDes("0123456789abcdef", "key")).size(), 16);
    EXPECT_STREQ(TX_utils_encodeDes("", "key"), "");
    EXPECT_STREQ(TX_utils_encodeDes(nullptr, "key"), "");
    EXPECT_STREQ(TX_utils_decodeDes("", "key"), "");
    EXPECT_STREQ(TX_utils_decodeDes(nullptr, nullptr), "");
}

TEST(CipherRules, Rc4RejectsWhatItCannotDecipher)
{
    EXPECT_STREQ(TX_utils_decodeRc4("abc", "key"), "");     // odd length
    EXPECT_STREQ(TX_utils_encodeRc4("text", ""), "");      // no key stream without a key
    EXPECT_STREQ(TX_utils_decodeRc4("dGV4", nullptr), "");
    EXPECT_STREQ(TX_utils_encodeRc4("", "key"), "");
    EXPECT_STREQ(TX_utils_encodeRc4(nullptr, nullptr), "");
}

TEST(CipherRules, ResultsTooLongAreEmpty)
{
    const std::string huge(13000, 'x');  // Base64 of its cipher text exceeds 16383 characters
    struct Pair {
        const char* (*function)(const char*, const char*);
    } functions[] = {{TX_utils_encodeAes}, {TX_utils_encodeDes}, {TX_utils_encodeRc4}};
    for (const Pair& f : functions) {
        ASSERT_STRNE(f.function("short", "key"), "");
        LogCapture log;
        EXPECT_STREQ(f.function(huge.c_str(), "key"), "");
        EXPECT_TRUE(log.contains("does not fit its 16384-byte array"));
    }
    // 12000 bytes fit as Base64 (16000 characters).
    const std::string fits(12000, 'y');
    const std::string encoded = TX_utils_encodeRc4(fits.c_str(), "key");
    EXPECT_EQ(encoded.size(), 16000u);
    EXPECT_EQ(std::string(TX_utils_decodeRc4(encoded.c_str(), "key")), fits);
}

TEST(CipherRules, DecodedResultsTooLongAreEmpty)
{
    // 20000 plain bytes enciphered outside the result arrays.
    const QByteArray plain(20000, 'p');
    const QByteArray aes =
        tavix::codec::aes128Ecb(QCryptographicHash::hash("key", QCryptographicHash::Md5), plain,
                                true)
            .toBase64();
    const QByteArray des =
        tavix::codec::encodeEngineBase64(tavix::codec::desCbc("key00000", plain, false));
    const QByteArray rc4 = tavix::codec::encodeEngineBase64(tavix::codec::rc4("key", plain));
    const std::string aesPrevious = TX_utils_decodeAes(TX_utils_encodeAes("a", "key"), "key");
    EXPECT_STREQ(TX_utils_decodeAes(aes.constData(), "key"), "");
    const std::string desPrevious = TX_utils_decodeDes(TX_utils_encodeDes("b", "key"), "key");
    EXPECT_STREQ(TX_utils_decodeDes(des.constData(), "key"), "");
    const std::string rc4Previous = TX_utils_decodeRc4(TX_utils_encodeRc4("c", "key"), "key");
    EXPECT_STREQ(TX_utils_decodeRc4(rc4.constData(), "key"), "");
    EXPECT_EQ(aesPrevious + desPrevious + rc4Previous, "abc");
}

}  // namespace

#include "storage/KeyDerivation.h"

#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <array>
#include <cstring>

#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/crypto.h>
#include <openssl/sha.h>

namespace kb::cipher {

namespace {

struct CacheKey {
    QByteArray password;
    QByteArray salt;
    int iterations = 0;
    bool operator==(const CacheKey &) const = default;
};

size_t qHash(const CacheKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.password, key.salt, key.iterations);
}

QHash<CacheKey, QByteArray> &derivedKeys()
{
    static QHash<CacheKey, QByteArray> keys;
    return keys;
}

QHash<QByteArray, QByteArray> &newSalts()
{
    static QHash<QByteArray, QByteArray> salts;
    return salts;
}

// PBKDF2-HMAC-SHA1. The inner and outer hash states after the padded key are computed once,
// so each iteration costs two hash blocks; the general-purpose MAC interface costs twice that.
QByteArray pbkdf2Sha1(const QByteArray &password, const QByteArray &salt, int iterations)
{
    std::array<unsigned char, SHA_CBLOCK> padded {};
    if (password.size() > SHA_CBLOCK)
        SHA1(reinterpret_cast<const unsigned char *>(password.constData()),
            std::size_t(password.size()), padded.data());
    else
        std::memcpy(padded.data(), password.constData(), std::size_t(password.size()));
    std::array<unsigned char, SHA_CBLOCK> ipad {}, opad {};
    for (int i = 0; i < SHA_CBLOCK; ++i) {
        ipad[i] = padded[i] ^ 0x36;
        opad[i] = padded[i] ^ 0x5c;
    }
    SHA_CTX inner, outer;
    SHA1_Init(&inner);
    SHA1_Update(&inner, ipad.data(), ipad.size());
    SHA1_Init(&outer);
    SHA1_Update(&outer, opad.data(), opad.size());

    QByteArray result;
    for (quint32 block = 1; result.size() < kKeySize; ++block) {
        unsigned char u[SHA_DIGEST_LENGTH];
        const unsigned char counter[4]
            = { static_cast<unsigned char>(block >> 24), static_cast<unsigned char>(block >> 16),
                  static_cast<unsigned char>(block >> 8), static_cast<unsigned char>(block) };
        SHA_CTX ctx = inner;
        SHA1_Update(&ctx, salt.constData(), std::size_t(salt.size()));
        SHA1_Update(&ctx, counter, sizeof counter);
        SHA1_Final(u, &ctx);
        ctx = outer;
        SHA1_Update(&ctx, u, sizeof u);
        SHA1_Final(u, &ctx);
        unsigned char t[SHA_DIGEST_LENGTH];
        std::memcpy(t, u, sizeof t);
        for (int i = 1; i < iterations; ++i) {
            ctx = inner;
            SHA1_Update(&ctx, u, sizeof u);
            SHA1_Final(u, &ctx);
            ctx = outer;
            SHA1_Update(&ctx, u, sizeof u);
            SHA1_Final(u, &ctx);
            for (int j = 0; j < SHA_DIGEST_LENGTH; ++j)
                t[j] ^= u[j];
        }
        result.append(reinterpret_cast<const char *>(t), sizeof t);
        OPENSSL_cleanse(u, sizeof u);
        OPENSSL_cleanse(t, sizeof t);
    }
    OPENSSL_cleanse(padded.data(), padded.size());
    OPENSSL_cleanse(ipad.data(), ipad.size());
    OPENSSL_cleanse(opad.data(), opad.size());
    OPENSSL_cleanse(&inner, sizeof inner);
    OPENSSL_cleanse(&outer, sizeof outer);
    result.truncate(kKeySize);
    return result;
}

QByteArray hexQuoted(const QByteArray &bytes)
{
    return QByteArrayLiteral("x'") + bytes.toHex().toUpper() + QByteArrayLiteral("'");
}

} // namespace

QByteArray deriveKey(const QString &password, const QByteArray &salt, int iterations)
{
    const CacheKey cacheKey { password.toUtf8(), salt, iterations };
    const auto it = derivedKeys().constFind(cacheKey);
    if (it != derivedKeys().constEnd())
        return *it;
    const QByteArray key = pbkdf2Sha1(cacheKey.password, salt, iterations);
    derivedKeys().insert(cacheKey, key);
    return key;
}

QByteArray saltOfFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray salt = file.read(kSaltSize);
    return salt.size() == kSaltSize ? salt : QByteArray();
}

QByteArray saltForNewProtection(const QString &password)
{
    QByteArray &salt = newSalts()[password.toUtf8()];
    if (salt.isEmpty()) {
        std::array<quint32, kSaltSize / 4> words {};
        QRandomGenerator::system()->generate(words.begin(), words.end());
        salt = QByteArray(reinterpret_cast<const char *>(words.data()), kSaltSize);
    }
    return salt;
}

QByteArray rawKey(const QByteArray &key)
{
    return hexQuoted(key);
}

QByteArray rawKeyWithSalt(const QByteArray &key, const QByteArray &salt)
{
    return hexQuoted(key + salt);
}

void forgetKeys()
{
    derivedKeys().clear();
    newSalts().clear();
}

} // namespace kb::cipher

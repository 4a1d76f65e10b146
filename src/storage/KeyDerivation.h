#pragma once

#include <QByteArray>
#include <QString>

// The keys of protected tables. A table is encrypted with a key derived from its password by
// PBKDF2-HMAC-SHA1 over the salt in the file's first bytes, exactly as the cipher derives a
// key from a passphrase; the derivation is done here and handed over as raw key data, so that
// it runs once per password and salt in a program run and new protections can choose their
// iteration count.
namespace kb::cipher {

// Iterations of new protections.
inline constexpr int kKdfIterations = 256000;
// Iterations of tables protected before: the cipher's own default then. They keep opening.
inline constexpr int kLegacyKdfIterations = 64000;
inline constexpr int kSaltSize = 16;
inline constexpr int kKeySize = 32;

// The key of `password` (its UTF-8 bytes) for `salt`; remembered for the program run.
QByteArray deriveKey(const QString &password, const QByteArray &salt, int iterations);
// The salt of an encrypted table file: its first kSaltSize bytes; empty when unreadable.
QByteArray saltOfFile(const QString &path);
// The salt for a new protection with `password`. Tables protected with the same password in
// one run share it, so opening the protected calendar derives its key once.
QByteArray saltForNewProtection(const QString &password);
// The cipher's raw key forms: "x'<key>'" for an existing file, "x'<key><salt>'" for a new one.
QByteArray rawKey(const QByteArray &key);
QByteArray rawKeyWithSalt(const QByteArray &key, const QByteArray &salt);
// Forgets every derived key and salt (with the known passwords).
void forgetKeys();

} // namespace kb::cipher

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// PJLink's authentication: the greeting with a fresh random number, and the digest a controller
// must put before its first command, MD5 of the random number followed by the password.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstddef>
#include <optional>

namespace tavo::pjlink {

inline constexpr qsizetype kRandomLength = 8;
inline constexpr qsizetype kDigestLength = 32;
inline constexpr qsizetype kMaxPasswordLength = 32;

// The answer to a wrong or missing digest; the connection is closed after it.
inline constexpr char kAuthenticationFailure[] = "PJLINK ERRA\r";

// Eight lower-case hexadecimal digits from the system's random source.
[[nodiscard]] QByteArray makeRandom();

// "PJLINK 0" CR without a password, "PJLINK 1 <random>" CR with one.
[[nodiscard]] QByteArray greeting(const std::optional<QByteArray>& random);

// 32 lower-case hexadecimal digits.
[[nodiscard]] QByteArray digestOf(QByteArrayView random, QByteArrayView password);

// Whether `given` starts with the digest. Takes the same time whatever the bytes given, so that
// the time of the answer tells nothing of how much of a guess was right.
[[nodiscard]] bool digestMatches(QByteArrayView expected, QByteArrayView given);

// Why a password cannot be used (longer than 32 bytes, not printable ASCII, empty), or nothing.
[[nodiscard]] std::optional<QString> passwordProblem(QByteArrayView password);

} // namespace tavo::pjlink

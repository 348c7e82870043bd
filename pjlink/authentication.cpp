// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/authentication.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <algorithm>

namespace tavo::pjlink {

QByteArray makeRandom() {
    const quint32 value = QRandomGenerator::system()->generate();
    return QByteArray::number(value, 16).rightJustified(kRandomLength, '0');
}

QByteArray greeting(const std::optional<QByteArray>& random) {
    if (!random) {
        return QByteArrayLiteral("PJLINK 0\r");
    }
    return QByteArrayLiteral("PJLINK 1 ") + *random + '\r';
}

QByteArray digestOf(QByteArrayView random, QByteArrayView password) {
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(random);
    hash.addData(password);
    return hash.result().toHex();
}

bool digestMatches(QByteArrayView expected, QByteArrayView given) {
    if (expected.size() != kDigestLength) {
        return false;
    }
    unsigned difference = given.size() < kDigestLength ? 1U : 0U;
    for (qsizetype i = 0; i < kDigestLength; ++i) {
        // A short guess is compared with its missing bytes as NUL, which no digest contains.
        const char g = i < given.size() ? given[i] : '\0';
        difference |= static_cast<unsigned>(static_cast<unsigned char>(expected[i]) ^ static_cast<unsigned char>(g));
    }
    return difference == 0;
}

std::optional<QString> passwordProblem(QByteArrayView password) {
    if (password.isEmpty()) {
        return QCoreApplication::translate("tavo-pjlink", "the password is empty");
    }
    if (password.size() > kMaxPasswordLength) {
        return QCoreApplication::translate("tavo-pjlink", "the password is %1 bytes long; PJLink allows at most %2")
            .arg(password.size())
            .arg(kMaxPasswordLength);
    }
    const auto printable = [](char c) {
        return c >= ' ' && c <= '~';
    };
    if (!std::all_of(password.begin(), password.end(), printable)) {
        return QCoreApplication::translate("tavo-pjlink", "the password holds a character that is not printable ASCII");
    }
    return std::nullopt;
}

} // namespace tavo::pjlink

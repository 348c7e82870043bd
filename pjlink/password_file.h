// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads the bridge's password from a file that only its owner may read or change: one line of at
// most 32 bytes of printable ASCII, a line end after it allowed.

#include <QByteArray>
#include <QString>

namespace tavo::pjlink {

struct PasswordRead {
    QByteArray password;
    // Empty on success, else why the file cannot be used, for the user.
    QString error;
};

[[nodiscard]] PasswordRead readPasswordFile(const QString& path);

} // namespace tavo::pjlink

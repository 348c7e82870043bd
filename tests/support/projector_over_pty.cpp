// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/projector_over_pty.h"

#include "serial/device_factory.h"

#include <QString>
#include <QStringList>
#include <utility>

namespace tavo::test {

void ProjectorOverPty::startProjector(ProjectorModel::Options model) {
    QString error;
    projector = PtyProjector::create({.model = std::move(model), .device = {}}, &error);
    ASSERT_NE(projector, nullptr) << error.toStdString();
    link = std::make_unique<PrivateLink>(projector->devicePath());
    port = std::make_unique<ComPorts>(QStringList{link->path(), QString()}, makeDevice, advisor);
}

} // namespace tavo::test

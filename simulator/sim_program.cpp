// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulator/sim_program.h"

#include "core/rendering.h"
#include "simulator/pty_projector.h"
#include "simulator/tcp_projector.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <unistd.h>

namespace tavo::sim {

namespace {

// Control characters the way a terminal user can read them in a log.
QString visible(const QByteArray& bytes) {
    return QString::fromStdString(
        spelledOut(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

template <class Projector> void logBytes(Projector& projector) {
    QObject::connect(&projector, &Projector::received,
                     [](const QByteArray& b) { QTextStream(stderr) << "<- " << visible(b) << '\n'; });
    QObject::connect(&projector, &Projector::sent,
                     [](const QByteArray& b) { QTextStream(stderr) << "-> " << visible(b) << '\n'; });
}

} // namespace

SimProgram::SimProgram(SimOptions options) : options_(std::move(options)) {
    // Each run splits its replies differently.
    options_.serial.model.seed = static_cast<std::uint32_t>(::getpid());
}

SimProgram::~SimProgram() {
    if (serial_ && !link_.isEmpty() && QFileInfo(link_).symLinkTarget() == serial_->devicePath()) {
        QFile::remove(link_);
    }
}

QString SimProgram::start() {
    return options_.listen ? startOnNetwork() : startOnSerialLine();
}

QString SimProgram::where() const {
    if (network_) {
        return network_->url();
    }
    return serial_ ? serial_->devicePath() : QString();
}

QString SimProgram::startOnNetwork() {
    QString reason;
    network_ = TcpProjector::create(options_.serial.model, options_.listen->host, options_.listen->port, &reason);
    if (!network_) {
        return reason;
    }
    if (options_.verbose) {
        logBytes(*network_);
    }
    return {};
}

QString SimProgram::startOnSerialLine() {
    QString error;
    serial_ = PtyProjector::create(options_.serial, &error);
    if (!serial_) {
        return error;
    }
    if (!options_.link.isEmpty()) {
        if (QString failed = makeLink(); !failed.isEmpty()) {
            return failed;
        }
    }
    if (options_.verbose) {
        logBytes(*serial_);
    }
    return {};
}

QString SimProgram::makeLink() {
    const QString& link = options_.link;
    const QFileInfo existing(link);
    if (existing.exists() && !existing.isSymLink()) {
        return QCoreApplication::translate("tavo-projector-sim",
                                           "%1 exists and is not a symbolic link; not replacing it")
            .arg(link);
    }
    if (existing.isSymLink()) {
        QFile::remove(link);
    }
    if (!QFile::link(serial_->devicePath(), link)) {
        return QCoreApplication::translate("tavo-projector-sim", "cannot create the link %1").arg(link);
    }
    link_ = link;
    return {};
}

} // namespace tavo::sim

// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/device_factory.h"

#include "serial/local_device.h"
#include "serial/network_address.h"
#include "serial/network_device.h"

namespace tavo {

std::unique_ptr<Device> makeDevice(int portNumber, const QString& name, Audience audience) {
    if (isNetworkDevice(name)) {
        return std::make_unique<NetworkDevice>(portNumber, name, audience);
    }
    return std::make_unique<LocalDevice>(portNumber, name, audience);
}

} // namespace tavo

// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/device_factory.h"

#include "serial/local_device.h"
#include "serial/network_address.h"
#include "serial/network_device.h"

namespace tavo {

std::unique_ptr<Device> makeDevice(const QString& name) {
    if (isNetworkDevice(name)) {
        return std::make_unique<NetworkDevice>(name);
    }
    return std::make_unique<LocalDevice>(name);
}

} // namespace tavo

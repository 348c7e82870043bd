// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Readable names for the logic's enumerations in failure messages.

#include "core/commands.h"
#include "core/port_session.h"
#include "core/ports/controls.h"
#include "core/ports/serial_port.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <string_view>

namespace tavo {

void PrintTo(Control control, std::ostream* os);
void PrintTo(TimerId timer, std::ostream* os);
void PrintTo(HoldButton button, std::ostream* os);
void PrintTo(CursorPadContext context, std::ostream* os);
void PrintTo(const LineSettings& settings, std::ostream* os);
void PrintTo(SessionState state, std::ostream* os);

} // namespace tavo

namespace tavo::test {

// Names each row of a data-driven test after its `name` field.
struct RowName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

} // namespace tavo::test

#pragma once

// Readable names for the logic's enumerations in failure messages.

#include "core/ports/controls.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <string_view>

namespace tavo {

void PrintTo(Control control, std::ostream* os);
void PrintTo(TimerId timer, std::ostream* os);

} // namespace tavo

namespace tavo::test {

// Names each row of a data-driven test after its `name` field.
struct RowName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

// A text with its control characters spelled out, e.g. "C00<CR>".
std::string escaped(std::string_view text);

} // namespace tavo::test

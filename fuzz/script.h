// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fuzzers' input read as a script: bytes, numbers and chunks taken from the front. Past the
// end every byte reads as zero, so a script of any length runs to completion.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavo::fuzz {

class Script {
public:
    Script(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    [[nodiscard]] bool done() const { return pos_ >= size_; }
    std::uint8_t next() { return done() ? 0 : data_[pos_++]; }
    // Four bytes, most significant first.
    std::uint32_t next32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = (value << 8U) | next();
        }
        return value;
    }
    // Up to `n` bytes; fewer at the end of the script.
    std::string take(std::size_t n) {
        n = std::min(n, size_ - pos_);
        std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return s;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace tavo::fuzz

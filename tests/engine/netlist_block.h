#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

// A netlist block as the program passes it: 100 records of 128 bytes, blank-padded.
inline std::vector<char> makeBlock(std::initializer_list<std::string_view> records,
                                   std::size_t recordCount = 100)
{
    std::vector<char> block(recordCount * 128, ' ');
    std::size_t r = 0;
    for (const std::string_view text : records) {
        std::copy_n(text.begin(), std::min<std::size_t>(text.size(), 128), block.begin() + r * 128);
        ++r;
    }
    return block;
}

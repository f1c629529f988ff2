#include "platform/large_memory.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(LargeMemory, ZeroFilledWritableAndOwnedByOneHolder) {
    for (std::size_t bytes : {std::size_t{2}, std::size_t{4096}, std::size_t{5} << 20}) {
        SCOPED_TRACE(bytes);
        LargeMemory m(bytes);
        ASSERT_NE(m.data(), nullptr);
        EXPECT_EQ(m.size(), bytes);
        EXPECT_TRUE(std::all_of(m.data(), m.data() + bytes, [](std::byte b) { return b == std::byte{0}; }));
        m.data()[0] = std::byte{1};
        m.data()[bytes - 1] = std::byte{2};

        LargeMemory other = std::move(m);
        EXPECT_EQ(m.data(), nullptr);
        EXPECT_EQ(m.size(), 0u);
        EXPECT_EQ(other.data()[0], std::byte{1});
        EXPECT_EQ(other.data()[bytes - 1], std::byte{2});

        LargeMemory third(64);
        third = std::move(other);
        EXPECT_EQ(third.size(), bytes);
        EXPECT_EQ(third.data()[bytes - 1], std::byte{2});
    }
    LargeMemory empty(0);
    EXPECT_EQ(empty.data(), nullptr);
}

// Large pages are only used for aligned 2 MiB stretches lying wholly inside
// the mapping: the block must start on a boundary and its mapping must reach
// the end of its last stretch, or the tail of the block falls back to small
// pages.  (Linux only: Windows gives large pages to privileged users alone.)
#ifdef __linux__
TEST(LargeMemory, ALargeBlockLiesOnWholeAlignedLargePages) {
    constexpr std::uintptr_t page = std::uintptr_t{2} << 20;
    for (std::size_t bytes : {std::size_t{2} << 20, (std::size_t{6} << 20) + 12345, std::size_t{20} << 20}) {
        SCOPED_TRACE(bytes);
        LargeMemory m(bytes);
        const auto start = reinterpret_cast<std::uintptr_t>(m.data());
        EXPECT_EQ(start % page, 0u);
        const std::uintptr_t pages_end = start + ((bytes + page - 1) / page) * page;

        // The mapping that holds the block, from the process's own map.
        std::ifstream maps("/proc/self/maps");
        std::string line;
        bool found = false;
        while (std::getline(maps, line)) {
            std::istringstream fields(line);
            std::uintptr_t from = 0, to = 0;
            char dash = 0;
            fields >> std::hex >> from >> dash >> to;
            if (from <= start && start < to) {
                found = true;
                EXPECT_GE(to, pages_end);
            }
        }
        EXPECT_TRUE(found);
    }
}
#endif

}  // namespace
}  // namespace compattatore

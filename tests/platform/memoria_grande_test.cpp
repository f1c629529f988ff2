#include "platform/memoria_grande.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(MemoriaGrande, ZeroFilledWritableAndOwnedByOneHolder) {
    for (std::size_t byte : {std::size_t{2}, std::size_t{4096}, std::size_t{5} << 20}) {
        SCOPED_TRACE(byte);
        MemoriaGrande m(byte);
        ASSERT_NE(m.dati(), nullptr);
        EXPECT_EQ(m.dimensione(), byte);
        EXPECT_TRUE(std::all_of(m.dati(), m.dati() + byte, [](std::byte b) { return b == std::byte{0}; }));
        m.dati()[0] = std::byte{1};
        m.dati()[byte - 1] = std::byte{2};

        MemoriaGrande altra = std::move(m);
        EXPECT_EQ(m.dati(), nullptr);
        EXPECT_EQ(m.dimensione(), 0u);
        EXPECT_EQ(altra.dati()[0], std::byte{1});
        EXPECT_EQ(altra.dati()[byte - 1], std::byte{2});

        MemoriaGrande terza(64);
        terza = std::move(altra);
        EXPECT_EQ(terza.dimensione(), byte);
        EXPECT_EQ(terza.dati()[byte - 1], std::byte{2});
    }
    MemoriaGrande vuota(0);
    EXPECT_EQ(vuota.dati(), nullptr);
}

// Large pages are only used for aligned 2 MiB stretches lying wholly inside
// the mapping: the block must start on a boundary and its mapping must reach
// the end of its last stretch, or the tail of the block falls back to small
// pages.
TEST(MemoriaGrande, ALargeBlockLiesOnWholeAlignedLargePages) {
    constexpr std::uintptr_t pagina = std::uintptr_t{2} << 20;
    for (std::size_t byte : {std::size_t{2} << 20, (std::size_t{6} << 20) + 12345, std::size_t{20} << 20}) {
        SCOPED_TRACE(byte);
        MemoriaGrande m(byte);
        const auto inizio = reinterpret_cast<std::uintptr_t>(m.dati());
        EXPECT_EQ(inizio % pagina, 0u);
        const std::uintptr_t fine_pagine = inizio + ((byte + pagina - 1) / pagina) * pagina;

        // The mapping that holds the block, from the process's own map.
        std::ifstream mappe("/proc/self/maps");
        std::string riga;
        bool trovata = false;
        while (std::getline(mappe, riga)) {
            std::istringstream campi(riga);
            std::uintptr_t da = 0, a = 0;
            char trattino = 0;
            campi >> std::hex >> da >> trattino >> a;
            if (da <= inizio && inizio < a) {
                trovata = true;
                EXPECT_GE(a, fine_pagine);
            }
        }
        EXPECT_TRUE(trovata);
    }
}

}  // namespace
}  // namespace compattatore

// The writing procedure shared by the five text writers: the text is a table
// of 1001 slots closed by an end marker; the slots before the marker are
// written, one line each with CR LF, and the marker itself is not.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "platform/output_set.h"

namespace compattatore {

inline constexpr std::string_view marcatore_fine = "riferimento fine del file";
inline constexpr std::size_t posti_testo = 1001;

// The bytes of the file for these lines (at most 1000 of them).
std::string componi_testo(std::span<const std::string_view> righe);

// Adds `file` with the lines to a run's outputs.
void scrivi_testo(const std::filesystem::path& file, std::span<const std::string_view> righe, OutputSet& uscite);

}  // namespace compattatore

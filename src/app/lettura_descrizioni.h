// The description files as the driver reads them, and the ones the
// no-argument run writes for itself and deletes again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_handle.h"

namespace compattatore {

// The largest description file a run reads.  The densest description the
// format allows has a curve on every metre of the longest line (1,007,000
// metres, plan included), an element and a change of each profile in each
// of its 20,141 cells of 50 m, and 80 texts of the longest length (65,535
// bytes; stations and sign texts share entries 1 to 80).  With rows as wide
// as the built-in files write them (25 bytes for a curve, 60 for the
// others) that is about 25 MB of curves, 6 MB of cell records and 5 MB of
// texts: 36 MB.  64 MiB leaves room for wider rows and comments, and keeps
// a file no description can be from being read into memory at all.
inline constexpr std::uint64_t massimo_byte_descrizione = std::uint64_t{64} << 20;

// A description file as read: its bytes, and which file they came from.
struct DescrizioneLetta {
    std::string testo;
    FileIdentity identita;
};

// The description file `file`; none when there is none.  A name that is no
// ordinary file (a folder, a device such as /dev/zero, a pipe) or a file
// larger than massimo_byte_descrizione is refused with IoError before a
// byte of it is read.
std::optional<DescrizioneLetta> leggi_descrizione(const std::filesystem::path& file);

// The description files that the no-argument run writes for itself.  The
// run reads them back and deletes them: these and no others, and only while
// the name still stands for the file it wrote and the bytes read are the
// ones it wrote.  A run that fails on the way deletes the ones it wrote that
// are still there.
class DescrizioniProprie {
public:
    DescrizioniProprie();
    ~DescrizioniProprie();
    DescrizioniProprie(const DescrizioniProprie&) = delete;
    DescrizioniProprie& operator=(const DescrizioniProprie&) = delete;

    // Puts `testo` in place as the file `file`.
    void scrivi(const std::filesystem::path& file, std::string testo);

    // Deletes `file` when this run wrote it and `letta` is what it wrote.
    void elimina(const std::filesystem::path& file, const DescrizioneLetta& letta);

private:
    struct Scritta {
        std::filesystem::path file;
        std::string testo;
        FileIdentity identita;
        bool eliminata = false;
    };
    std::vector<Scritta> scritte_;
    int eccezioni_;  // exceptions under way when the run began
};

}  // namespace compattatore

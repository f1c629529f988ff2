// The outputs of one run, replaced as a set.  Each file is written into a
// temporary file of its own; commit() makes every one of them durable, and
// only then renames them over the old files, one right after the other, and
// makes the new names durable.  A failure before the renames, or in one of
// them, leaves every old file as it was: an old file keeps a second name
// until the new ones are all in place, and is put back under its own when a
// rename fails.  Only a crash in the short stretch of the renames can leave
// some new files beside some old ones; the next run replaces them all.
#pragma once

#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/replaced_file.h"

namespace compattatore {

class OutputSet {
public:
    OutputSet() = default;
    // A set that was not committed removes its temporary files.
    ~OutputSet();
    OutputSet(const OutputSet&) = delete;
    OutputSet& operator=(const OutputSet&) = delete;

    // The new content of `file`, written piece by piece through the writer,
    // which lives as long as the set.  A file belongs to a set once.
    ReplacedFile& add(const std::filesystem::path& file);
    // The whole new content of `file` at once.
    void add(const std::filesystem::path& file, std::string_view content);

    bool empty() const { return files_.empty(); }

    // Puts every file in place as described above.
    void commit();

private:
    std::vector<std::unique_ptr<ReplacedFile>> files_;
    bool committed_ = false;
};

// Writes `content` as the whole new content of `file`: a set of one.
void replace_file(const std::filesystem::path& file, std::string_view content);

}  // namespace compattatore

#include "platform/output_set.h"

#include <optional>
#include <set>
#include <stdexcept>
#include <system_error>

#include "platform/file_io.h"
#include "platform/temporary_files.h"

namespace compattatore {

namespace fs = std::filesystem;

namespace {

fs::path folder_of(const fs::path& file) {
    const fs::path folder = file.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

bool exists_as_name(const fs::path& file) {
    std::error_code ec;
    return fs::symlink_status(file, ec).type() != fs::file_type::not_found && !ec;
}

// The second names of the old files while the set is being renamed into
// place.  A file system without such names gets none, and a failed rename
// there cannot be undone.
class OldFiles {
public:
    explicit OldFiles(const std::vector<std::unique_ptr<ReplacedFile>>& files) : kept_(files.size()) {
        try {
            for (std::size_t i = 0; i < files.size(); ++i) {
                const fs::path& file = files[i]->file();
                if (!exists_as_name(file)) continue;
                const fs::path second = temporary_name(folder_of(file));
                if (!link_file(file, second)) {
                    forget();
                    return;
                }
                kept_[i] = second;
            }
        } catch (...) {
            forget();
            throw;
        }
    }
    ~OldFiles() { forget(); }
    OldFiles(const OldFiles&) = delete;
    OldFiles& operator=(const OldFiles&) = delete;

    // Undoes the first `placed` renames: each old file back under its own
    // name, each file that did not exist before removed.  False when one of
    // them could not be undone.
    bool restore(const std::vector<std::unique_ptr<ReplacedFile>>& files, std::size_t placed) noexcept {
        bool whole = true;
        for (std::size_t i = 0; i < placed; ++i) {
            try {
                if (kept_[i]) {
                    rename_replace(*kept_[i], files[i]->file());
                    kept_[i].reset();
                } else if (protected_) {
                    remove_file(files[i]->file());
                } else {
                    whole = false;
                }
            } catch (...) {
                whole = false;
            }
        }
        return whole;
    }

private:
    void forget() noexcept {
        for (std::optional<fs::path>& k : kept_) {
            if (k) remove_file_quietly(*k);
            k.reset();
        }
        protected_ = false;
    }

    std::vector<std::optional<fs::path>> kept_;
    bool protected_ = true;
};

}  // namespace

OutputSet::~OutputSet() = default;

ReplacedFile& OutputSet::add(const fs::path& file) {
    for (const auto& f : files_)
        if (f->file() == file) throw std::logic_error("un file compare due volte tra le uscite");
    files_.push_back(std::make_unique<ReplacedFile>(file));
    return *files_.back();
}

void OutputSet::add(const fs::path& file, std::string_view content) { add(file).write(content); }

void OutputSet::commit() {
    if (committed_) throw std::logic_error("uscite già messe al loro posto");
    // Every new file whole and on the disk: all of them started first, so
    // that the disk writes them together, then each waited for.
    for (const auto& f : files_) f->write_rest();
    for (const auto& f : files_) f->finish(true);
    // What came to stand where a file goes while the set was written (a
    // folder, a protection, a program that opened the old file) is refused
    // now, while nothing has changed.
    for (const auto& f : files_) check_replaceable(f->file());
    // A lone file needs no second name: its rename either happens or not.
    std::optional<OldFiles> old;
    if (files_.size() > 1) old.emplace(files_);

    // The renames, one right after the other.
    std::size_t placed = 0;
    try {
        for (; placed < files_.size(); ++placed) {
            rename_replace(files_[placed]->temporary(), files_[placed]->file());
            files_[placed]->placed();
        }
    } catch (const IoError& e) {
        if (!old || old->restore(files_, placed)) throw;
        throw IoError(e.file(), e.reason() + "; alcuni dei file precedenti non sono stati ripristinati: "
                                             "ripetere l'esecuzione");
    }
    committed_ = true;

    std::set<fs::path> folders;
    for (const auto& f : files_) folders.insert(folder_of(f->file()));
    for (const fs::path& folder : folders) sync_folder(folder);
}

void replace_file(const fs::path& file, std::string_view content) {
    OutputSet set;
    set.add(file, content);
    set.commit();
}

}  // namespace compattatore

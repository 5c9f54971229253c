#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A new file beside a file that is rewritten whole: the new content is written here and then
// put in the target's place in one step, so that the target is never seen half written.
// Each aside file has a name of its own (the target's name, ".new-" and six random letters
// or digits), created exclusively, so no two writers, in this process or another, ever share
// one. An aside file that was not put in place is removed when it goes out of scope.
class AsideFile {
public:
    // How many characters an aside file's name adds to its target's name.
    static constexpr std::size_t kNameGrowth = 11;

    // Creates the empty aside file of target; the write failure that says why when none can be
    // created (WriteFailure.h).
    explicit AsideFile(std::string target);
    ~AsideFile();
    AsideFile(const AsideFile&) = delete;
    AsideFile& operator=(const AsideFile&) = delete;

    const std::string& Path() const { return path_; }
    // Writes bytes as the aside file's whole content and flushes them to the disk; false, with
    // errno telling why, when a write, the flush or the close failed.
    bool Write(std::string_view bytes);
    // Puts the aside file in the target's place; false (and the aside file removed) when it
    // could not, the target then being as it was.
    bool Commit();

    // Removes the aside files of target that a process ended in the middle of a rewrite left
    // behind. Only for the one process that may write the target.
    static void RemoveLeftOvers(const std::string& target);
    // Removes, in folder, the aside files that ended rewrites left behind of every target whose
    // name ends in targetEnding (ignoring case), whether the target is still there or not. Only
    // for the one process that may write those targets.
    static void RemoveLeftOversIn(const std::string& folder, std::string_view targetEnding);

private:
    std::string target_;
    std::string path_;
    bool committed_ = false;
};

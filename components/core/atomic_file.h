#pragma once
// Saving a file so that a failure never leaves it half written.
#include <string>
#include <string_view>

namespace korva::components {

// The new contents of a file, written whole beside it (a hidden temporary
// file in the same folder, flushed to disk) and put in its place by Commit,
// which renames it over the old file. The old file keeps its permissions,
// and a symbolic link keeps pointing at the file it names. A file the user
// may not write is not replaced (EACCES, also for root when the file has no
// write permission at all), nor a folder in its place. Several files saved
// together are all written before any is committed, so that a failure of
// one leaves every old file as it was.
//
// Every failure raises EInOutError, "Cannot write file "<path>". <reason>",
// with the old file as it was and no temporary file left; a replacement
// that is not committed removes its temporary file.
class TFileReplacement {
public:
    TFileReplacement(const std::string& path, std::string_view contents);
    ~TFileReplacement();
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;

    void Commit();

private:
    std::string path_;   // as given, for the message
    std::string target_; // the file replaced (a link's target)
    std::string folder_;
    std::string temporary_; // empty once committed or removed
};

// Replaces one file: a TFileReplacement committed at once.
void ReplaceFile(const std::string& path, std::string_view contents);

// A write beyond the file-size limit (ulimit -f) then fails with EFBIG and
// is reported as any failed write, instead of ending the process with
// SIGXFSZ half way through a save or a run. Called at the start of every
// program that saves files.
void IgnoreFileSizeSignal();

} // namespace korva::components

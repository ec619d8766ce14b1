#pragma once

#include <optional>
#include <string>

namespace quillmark {

// What a batch worker answers for one file: the exit status a check of that
// file alone would have, and what it would print on standard output and
// standard error.
struct FileResult {
    int status = 0;
    std::string out;
    std::string err;
};

// One result as it travels from a worker to the batch: a header line with
// the status and both lengths, then the two texts.
std::string encodeResult(const FileResult& result);

// Takes one whole result off the front of `buffer`; nothing while the result
// is still incomplete. A buffer that does not start with a header holds no
// result, ever: `damaged` is set then.
std::optional<FileResult> takeResult(std::string& buffer, bool& damaged);

// Writes all of `bytes` to `fd`; false when the reader is gone.
bool writeAll(int fd, const std::string& bytes);

}  // namespace quillmark

#pragma once

#include "platform/filemapping.h"

namespace quorbel {

// Maps a regular file into memory (all pages at once, read-only, private);
// one of several megabytes is read into huge pages instead. A pipe, a
// device or an empty file is read from the descriptor already open, since
// opening it again might not give the same bytes.
class PosixFileMapping : public FileMapping {
public:
    std::unique_ptr<FileContents> open(const std::string &path) const override;
};

} // namespace quorbel

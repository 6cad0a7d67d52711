// A fresh library of generated items for the benchmarks: made by the database
// library, then filled by tools/gen-demo-library.py.
#pragma once

#include <filesystem>
#include <string>

namespace qm::bench {

// Empties `folder` and makes its Quillmoor.db with `items` items; with
// `filesFolder` the image files are written there too. Returns the library's
// path, or "" when it could not be made.
std::string makeGeneratedLibrary(const std::filesystem::path& folder, int items,
                                 const std::filesystem::path& filesFolder = {});

// The library a benchmark works on, in `folder`: a copy of `given` (the
// benchmarks change the view), or a generated one of `items` items when
// `given` is empty. "" when neither could be made.
std::string benchLibrary(const std::filesystem::path& folder, const std::string& given, int items);

}  // namespace qm::bench

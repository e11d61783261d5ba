#pragma once
// Writing a whole file so that it is either complete or untouched. The
// bytes go to a new file beside the target; every write, the flush to
// the disk and the close are checked, and only then does the new file
// replace the old one. On a full disk, a size limit or any other failure
// the old file stays as it was and the new one is removed.

#include <string>
#include <string_view>

namespace korvelin {

// True when `path` now holds exactly `bytes`.
bool writeWholeFile(const std::string& path, std::string_view bytes);

} // namespace korvelin

#include "core/path.h"

#include "core/filenames.h"

namespace bidmark {

std::string Path::shown() const { return shownPath(bytes_); }

std::string Path::name() const { return bytes_.substr(bytes_.find_last_of("/\\") + 1); }

Path Path::operator/(std::string_view name) const
{
    if (bytes_.empty() || bytes_ == ".")
        return Path(std::string(name));
    if (bytes_.back() == '/')
        return Path(bytes_ + std::string(name));
    return Path(bytes_ + "/" + std::string(name));
}

} // namespace bidmark

#include "app/PathList.h"

namespace vesk {

void PathList::push_back(const std::filesystem::path& path) {
    bytes_ += path.native();
    ends_.push_back(bytes_.size());
}

std::string_view PathList::operator[](std::size_t position) const {
    const std::size_t begin = position == 0 ? 0 : ends_[position - 1];
    return std::string_view(bytes_).substr(begin, ends_[position] - begin);
}

} // namespace vesk

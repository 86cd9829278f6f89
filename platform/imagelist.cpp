#include "platform/imagelist.h"

#include "platform/errors.h"

namespace platform {

void ImageList::add(const std::string& key, const Picture& picture) {
    if (key.empty() || picture.isNull()) raiseError(errInvalidArgument);
    pictures_[key] = picture;
}

Picture ImageList::picture(const std::string& key) const {
    const auto it = pictures_.find(key);
    if (it == pictures_.end()) raiseError(35603, "Invalid key");
    return it->second;
}

bool ImageList::contains(const std::string& key) const { return pictures_.count(key) != 0; }

}  // namespace platform

#pragma once
// A list of pictures found by key: the circuit blocks, diagrams and figures the program draws
// itself at start and shows or prints later.

#include <map>
#include <string>

#include "platform/types.h"

namespace platform {

class ImageList {
public:
    // Adds or replaces the picture of key. An empty key or a null picture is error 5.
    void add(const std::string& key, const Picture& picture);
    // The picture of key; a key that has no picture is error 35603.
    Picture picture(const std::string& key) const;
    bool contains(const std::string& key) const;
    std::size_t count() const { return pictures_.size(); }
    void clear() { pictures_.clear(); }

private:
    std::map<std::string, Picture> pictures_;
};

}  // namespace platform

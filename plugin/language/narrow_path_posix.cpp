#include "narrow_path.h"

NarrowPaths::NarrowPaths(const std::string& first, const std::string& second)
    : first_(first), second_(second) {}

NarrowPaths::~NarrowPaths() = default;

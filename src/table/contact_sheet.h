#pragma once
#include <string>

namespace dm {
// All faces, highlighted faces, backs and animation frames on one PNG. False on failure.
bool renderContactSheet(const std::string& pngPath);
}

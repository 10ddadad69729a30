#pragma once
// The version of the PROJ library in use.

#include <string>

namespace okap {

// As PROJ writes it ("9.1.1").
std::string ProjVersion();

}  // namespace okap

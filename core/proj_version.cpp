#include "core/proj_version.h"

#include <proj.h>

namespace okap {

std::string ProjVersion() { return proj_info().version; }

}  // namespace okap

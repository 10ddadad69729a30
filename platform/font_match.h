#pragma once
// How a font request's face name and pitch-and-family code become a font of
// the system. The drawing and the dialogs that name fonts ask the same font
// database, so that a dialog shows the family the text is drawn with.

#include <QFont>
#include <cstdint>
#include <string>

namespace okap {

// The font for face, its family hint and fixed pitch taken from the
// pitch-and-family code (family in the high four bits, pitch in the low
// two). Size, weight and slant are left to the caller.
QFont MatchingFont(const std::string& face, int32_t pitchAndFamily);

// The family the system draws face with: "Liberation Sans" for "Arial"
// where the Liberation fonts stand in for it, face itself where the system
// has it. Needs a QGuiApplication.
std::string DrawnFamily(const std::string& face, int32_t pitchAndFamily = 0);

}  // namespace okap

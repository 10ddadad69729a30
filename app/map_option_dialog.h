#pragma once
// The map format editor ("Map Display Settings"): the features of a map
// format file with their plot styles.

namespace okap {

class okapMDIChild;

// Edits the current format gformatfile ("new000" for a new format, whose
// features come from the segment types of gmapfile) over window. OK saves
// the format through a save dialog and gformatfile becomes the saved file's
// name. Returns true when the dialog ended with OK.
bool RunMapOptionDialog(okapMDIChild& window);

}  // namespace okap

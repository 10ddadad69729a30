#pragma once
// File > Export: the map layers of a document written for other GIS
// programs (ExportMap), each map file with its map format so that its
// features keep their names.

class QWidget;

namespace okap {

class okapMDIChild;

// Asks which map layer to export (or all of them, when there are several)
// and then, in a save dialog whose filter lists the export formats, the
// output file. One layer goes to that file; all of them go each to its own
// file named after its map file, in the folder and format of the file
// chosen. Runs with a progress window whose Cancel stops the export, and
// says what was written (caption "Export"). Failures are reported by the
// export; what it had not written stays unwritten.
void RunExport(QWidget* parent, okapMDIChild& child);

}  // namespace okap

#pragma once
// The importers on a dataset file: the file imported as a map layer
// (through the translator) and as a data layer, and both drawn.

#include <string>

namespace okap::fuzz {

// Imports the dataset at path, its features named by the field "name" and
// typed by the field "type", its values from the field "value".
void ImportAndDraw(const std::string& path);

}  // namespace okap::fuzz

#pragma once
// The host path of a file name a program gives BSAVE or BLOAD.
//
// This is the only place that maps names for the image statements, so
// that it can give way to the shared DOS-name module of the file
// statements in one edit.

#include <QString>

#include <string>

namespace korvelin {

class Interpreter;

// "\" and "/" separate, a drive "C:" is the root, other drives and
// relative names start in the program's folder (or the current directory
// when the program has no file); existing components are found without
// regard to case, an exact match first.
QString imageFilePath(const Interpreter& in, const std::u16string& name);

} // namespace korvelin

#pragma once
// The listing FILES and LFILES show: the folder's name, then its
// subdirectories as "<NAME>" and its ordinary files, in columns.

#include <QString>

#include <string>
#include <vector>

namespace korvelin {

// The names of a host folder: subdirectories first ("<" name ">"), then
// the files the host shows by default (no hidden ones), each group in name
// order. Fails (53) when the folder is not a directory.
std::vector<std::u16string> listDirectory(const QString& hostFolder);
// Lines of `columns` entries (1..5); with more than one column each entry
// takes 80 / columns bytes of its CP932 form, and a line has no trailing blanks.
std::vector<std::u16string> listingLines(const std::vector<std::u16string>& entries, int columns);

} // namespace korvelin

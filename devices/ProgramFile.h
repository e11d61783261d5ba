#pragma once
// Program files on disk and the names the editor gives them.
//
// A program file is CP932 text with CR LF line ends. A file that is valid
// UTF-8 and shows it (a byte-order mark, or non-ASCII UTF-8 sequences) is
// read as UTF-8 and written back the same way. LF-only and CR-only line
// ends are accepted.

#include <QString>

#include <optional>

namespace korvelin {

enum class ProgramEncoding { Cp932, Utf8, Utf8WithBom };

struct ProgramFileText {
    // One program line per text line, each followed by "\n" (the way the
    // edit control holds text; CR LF appears only on disk and in the text
    // handed to the interpreter).
    QString text;
    ProgramEncoding encoding = ProgramEncoding::Cp932;
};

ProgramFileText decodeProgramFile(const QByteArray& bytes);
// Exactly one line end follows the last line, so a text that already ends
// with one does not grow by a blank line each time it is saved.
QByteArray encodeProgramFile(const QString& text, ProgramEncoding encoding);

std::optional<ProgramFileText> readProgramFile(const QString& path);
// False, with the old file untouched, when the file cannot be written whole.
bool writeProgramFile(const QString& path, const QString& text, ProgramEncoding encoding);
// Whether CP932 can hold every character of the text ("café" yes, "😀" no);
// saving the others in CP932 would turn them into "?".
bool cp932Holds(const QString& text);

// --- names ---
// The file-name part of a path, upper-cased (shown in captions and
// proposed in the file dialogs).
QString programNameOf(const QString& path);
// The folder part with its trailing separator.
QString directoryOf(const QString& path);
// ".BAS" appended unless the name already ends in it (any case).
QString withBasExtension(const QString& path);
// ".BAS" appended when the file name has no "." at all.
QString withExtensionWhenMissing(const QString& path);
// The file name part upper-cased; the folders stay as the host spells them.
QString upperCasedFileName(const QString& path);
// The path of an existing file, found without regard to the case of its
// file name when the exact spelling does not exist; the path unchanged
// when nothing matches.
QString findExistingFile(const QString& path);

// --- offsets ---
// The interpreter counts CR LF as two characters; the edit control counts
// one per line break. These convert between the two for a text in the
// edit control's form ("\n" line breaks).
int documentPosition(const QString& text, int crlfOffset);
int crlfOffset(const QString& text, int documentPosition);
// "\n" line breaks to CR LF.
std::u16string withCrLf(const QString& text);

} // namespace korvelin

#pragma once
// DOS names and the host folders behind them.
//
// Programs name files the DOS way ("C:\DATA\X.DAT", "X.DAT", "..\Y.BAS").
// Drive letters stand for host folders (the settings' "DRIVES" section;
// drive C is "/" unless the settings say otherwise); "\" and "/" both
// separate; an existing component is found whatever its case (an exact
// match first) and a new one is created as spelled. The interpreter keeps
// its own current directory per drive, and its own idea of the host's
// current directory (which CHDIR moves): the process's working directory
// is never changed.
//
// DOS names held here are upper-case with "\" separators; directories end
// with "\".

#include <QString>

#include <array>
#include <string>
#include <string_view>

namespace korvelin {

class DosPaths {
  public:
    static constexpr int DriveCount = 28; // A..Z and two spare slots

    DosPaths();

    // --- set-up ---
    // The host folder behind a drive letter ("" leaves the drive unmapped).
    void setDriveRoot(char16_t letter, const QString& hostFolder);
    QString driveRoot(int drive) const { return roots_[static_cast<std::size_t>(drive)]; }
    // The application's folder: every drive's directory starts at its root,
    // then the application's drive starts at this folder.
    void setAppDirectory(const QString& hostFolder);
    // A program file was opened or saved in this host folder (or batch mode
    // starts here): it becomes CurrentDirectory and its drive's directory,
    // and the host's current directory.
    void setProgramFolder(const QString& hostFolder);
    // The DOS name of a host folder, ending in "\" (the drive whose folder
    // holds it most closely); "" when no drive holds it.
    std::u16string dosFolderOf(const QString& hostFolder) const;

    // --- names ---
    // The resolution rule of the disk commands: upper-cased; a name without
    // a drive takes CurrentDirectory's drive, a relative one that drive's
    // directory. A drive outside the 28 slots fails (error 21).
    std::u16string resolve(std::u16string_view name) const;
    // The host path of a DOS name. A relative name counts from the host's
    // current directory (the one CHDIR last set). An unmapped drive fails
    // as a drive that is not ready.
    QString hostPath(std::u16string_view dosName) const;
    // hostPath for the folder a name lies in and the name's last component
    // as the program spelled it (for wildcards).
    QString hostFolderOf(std::u16string_view dosName, std::u16string& lastComponent) const;

    // --- directories ---
    // CHDIR. A directory that does not exist fails (53) and changes nothing.
    void changeDirectory(std::u16string_view path);
    // After RMDIR of `resolvedPath`: a drive whose directory it was moves
    // one level up.
    void directoryRemoved(std::u16string_view resolvedPath);
    // The drive index of a DOS name that starts with "X:"; fails (21) for a
    // letter outside the 28 slots.
    static int driveIndex(char16_t letter);
    // One level up ("C:\A\B\" -> "C:\A\"); a root stays the root.
    static std::u16string parentOf(std::u16string_view directory);
    // A name to create or open must not hold a character DOS names cannot
    // ("*?<>|" and the double quote, control characters): a bad file name.
    static void checkNameCharacters(std::u16string_view name);

    std::u16string AppDirectory;
    std::u16string CurrentDirectory;
    std::array<std::u16string, DriveCount> DriveDirectories;
    std::u16string hostCurrentDirectory;

  private:
    int currentDrive() const { return driveIndex(hostCurrentDirectory[0]); }

    std::array<QString, DriveCount> roots_;
};

// Upper case the way DOS names compare: ASCII and the full-width letters.
std::u16string upperCased(std::u16string_view text);
// Whether a file name matches a pattern with the host's wildcards "*" and
// "?" (any case).
bool matchesWildcard(std::u16string_view pattern, std::u16string_view name);

} // namespace korvelin

#pragma once

// Error numbers of the program's own, shown in the "Err - " boxes beside the
// QFileDevice::FileError values (0 to 14) that file failures carry and the native
// codes of the database. Kept well above the file errors so the two never meet.
namespace ErrorNumbers {
// The chosen file holds a NUL byte: a binary file, not a chat script.
inline constexpr int NotAScript = 100;
// Kept so the numbers stay as players have seen them: Print once went to the system's
// default printer only, and failed without one. It now always asks where to print.
inline constexpr int NoDefaultPrinter = 101;
// The printer (or the PDF target) could not be opened or refused the pages.
inline constexpr int PrintFailed = 102;
// A dialog was told to write a line while no script window was open to take it.
inline constexpr int NoScriptWindow = 103;
// The chosen name is a folder, a pipe or a device: only ordinary files hold scripts.
inline constexpr int NotARegularFile = 104;
// The chosen file is larger than ScriptFile::kMaxBytes.
inline constexpr int ScriptTooLarge = 105;
// The script's folder lets no file be created, so no save can be made safely there.
inline constexpr int FolderNotWritable = 106;
}

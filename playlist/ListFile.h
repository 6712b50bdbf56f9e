#pragma once
// The list file: the playlist kept on disk as "MidiList.txt" in the program's
// directory, one path per line, CR LF line ends, bytes as they are held in
// memory. These functions move a playlist between that file and memory; the
// main dialog decides when. Failures are thrown as CFileException naming the
// list file, for the guard around window messages to report.

#include "platform/framework/CString.h"
#include "platform/framework/CStringArray.h"

inline constexpr const char kListFileName[] = "MidiList.txt";

// The directory of the running executable, ending in "/".
CString GetProgramDir();

// The executable's file name without its extension ("vusk").
CString GetProgramName();

// GetProgramDir() followed by the list file's name.
CString GetListFilePath();

// The entries of the list file in order. Empty lines are skipped and reading
// goes on to the end of the file (a 0x1A byte ends it early). A missing list
// file is an empty playlist; a list file that exists but cannot be opened or
// read throws, so that nothing is written over a playlist we could not read.
CStringArray ReadListFile(const CString& path);

// Replaces the list file with `entries`, each followed by a line end. The old
// file stays as it was unless the whole new one has reached the disk.
void WriteListFile(const CString& path, const CStringArray& entries);

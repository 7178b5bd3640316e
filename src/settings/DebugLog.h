// Trace lines of the main program: to the debugger output from level 2, and to "vistrel.log" beside the
// program at level 3. The level comes from "vistrel.ini" beside the program ([DEBUG] LOG_LEVEL).
#pragma once

// 0 at program load; set once by ReadLogLevel when the toolbar window is constructed.
extern int g_nLogLevel;

// Reads LOG_LEVEL from "vistrel.ini" beside the program into g_nLogLevel; a missing file or key gives 0.
void ReadLogLevel();

// printf-style trace line with a narrow format text. A message longer than the line buffer is cut.
void DebugLog(const char* format, ...);
// The same with a UTF-16 format text ("%s" takes a wide text); the line carries the prefix "[vistrel]  - ".
void DebugLogW(const wchar_t* format, ...);

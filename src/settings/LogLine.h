// Windows-free rules of the debug log: which level reaches which output, how a trace line is built and
// cut to its buffer, how a file record looks, and when an old log file is discarded at program load.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One message buffer, terminator included, for both the narrow (bytes) and the wide (code units) call.
constexpr std::size_t kLogMessageChars = 2000;
// The file takes lines up to this level only.
constexpr int kLogFileCeiling = 3;
// A log file larger than this at program load is deleted so that a new one begins.
constexpr std::uint64_t kLogFileStartLimit = 512000;
// Record around a line: " HH:MM:SS\t" before, CR LF after.
constexpr std::size_t kLogRecordOverhead = 12;
// Enough for a whole line of kLogMessageChars (terminator included) with its record around it.
constexpr std::size_t kLogRecordChars = kLogMessageChars + kLogRecordOverhead;

constexpr char kLogPrefix[] = "[vistrel] ";
// The wide call adds " - " after the bracketed name: two spaces, a dash and a space.
constexpr wchar_t kLogPrefixWide[] = L"[vistrel]  - ";

// Level 2 and above go to the debugger output.
bool LogLevelReachesDebugger(int level);
// Level 3 and above are handed to the file, which keeps only those up to its ceiling.
bool LogLevelHandsToFile(int level);
bool LogFileAcceptsLevel(int ceiling, int level);
bool LogFileIsDiscardedAtStart(std::uint64_t size);

// Writes prefix + message into out (capacity outChars, terminator included), cutting the message so that
// nothing is written past the buffer. Returns the length written (without the terminator).
std::size_t ComposeLogLine(char* out, std::size_t outChars, const char* prefix, const char* message);
// The same for UTF-16 texts; a cut never separates the two halves of a surrogate pair.
std::size_t ComposeLogLineWide(wchar_t* out, std::size_t outChars, const wchar_t* prefix, const wchar_t* message);

// Largest count <= limit that does not end between the two halves of a surrogate pair of text[0..length).
std::size_t WideCutPoint(const wchar_t* text, std::size_t length, std::size_t limit);

// Builds the file record " HH:MM:SS\t<text>\r\n" into out (capacity outChars). The text is cut when the
// record would not fit; the time and the line end are always whole. Returns the record length, 0 when
// outChars cannot hold even an empty record.
std::size_t FormatLogFileRecord(char* out, std::size_t outChars, int hour, int minute, int second, const char* text,
                                std::size_t textLength);


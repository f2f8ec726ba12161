// The search and the line count as the program's commands run them: the portable core does
// the work, these wrappers show its outcome in message boxes and on the status line.
#pragma once
#include <windows.h>

// Searches dictiona.dat in the working directory for the session's query, rewrites f2.tc and
// loads it into the result buffer. Returns 1 when the search ran (the caller then shows the
// results), 0 when nothing changed; every failure is shown in a message box.
int searchDictionary();

// Counts the dictionary's lines into session.messageText and, on the dictionary screen with
// the full header, writes the report on the status line. 1 when counted, 0 when the dictionary
// cannot be opened.
int countDictionaryLines(HDC dc);

// What the user is told when a document (the help, the introduction) could not be opened with
// the program the system associates with its type.
#pragma once
#include <string>

// ShellExecute's results that mean "the file is there, but no program is set up for its
// type": SE_ERR_NOASSOC and SE_ERR_ASSOCINCOMPLETE.
constexpr long kShellNoAssociation = 31;
constexpr long kShellAssociationIncomplete = 27;

// The message for a failed opening (a result of 32 or less): the fixed text of the failure,
// except when no program is set up for the document's type, where "Can not find" would be
// untrue: then a text that says so and names the document.
std::string documentOpenFailureText(long shellResult, const char* document, const char* fixedText);

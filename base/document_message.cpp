#include "base/document_message.h"

std::string documentOpenFailureText(long shellResult, const char* document, const char* fixedText) {
  if (shellResult == kShellNoAssociation || shellResult == kShellAssociationIncomplete)
    return std::string("No program is set up to open \"") + document + "\"";
  return fixedText;
}

#pragma once

#include "shell/UserMessages.h"
#include "word/WordError.h"

#include <string>

namespace quillmark {

// "Run-time error '%d':\n\n%s" with the low 16 bits of the code in decimal
// and the engine's description.
std::string runtimeErrorText(long code, const std::string& description);

// The text for an engine error that carries only its code.
std::string errorCodeText(long code);

// Tells the user about an engine error: with a description, the run-time
// error text in a "Server Error" box; with a code only, "调试" and then the
// code's text in a "COM Error" box.
void reportEngineError(MessageSink& messages, const word::WordError& error);

// The error with the document's name after its description, as the texts of
// a document that does not open name it.
word::WordError namingDocument(const word::WordError& error, const std::string& name);

}  // namespace quillmark

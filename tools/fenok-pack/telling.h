#pragma once
// How the commands speak to their author: every line on stderr, named after the command, in the
// author's language.
#include "authoring/messages.h"

namespace fenok::pack {

// "fenok-pack COMMAND: what" ("fenok-pack: what" without a command).
void tell(const char* command, Language language, const Message& what);

// The problem, then the command's help; returns the status of bad arguments.
int usageError(const char* command, Language language, const Message& problem);

}  // namespace fenok::pack

#pragma once

#include <string>

namespace word {

// Whether a compound file (Word 97-2003, or the container of an encrypted
// Word 2007 package) is protected by a password: the package is an
// "EncryptedPackage" stream, or the Word document's file information block
// says it is encrypted. Reads the header, the allocation table and the
// directory, bounded by the file's size; a file it cannot read is left for
// the engine to judge (false).
bool compoundFileIsEncrypted(const std::string& path);

}  // namespace word

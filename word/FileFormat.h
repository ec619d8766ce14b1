#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace word {

// What a file's first bytes say it is, before the engine sees it: the engine
// would read anything it does not recognise as plain text and lay it out
// page by page before we could refuse it.
enum class FileKind {
    Ole2,        // compound file: Word 97-2003, Word 95, or an encrypted Word 2007 package
    Zip,         // Word 2007 package or OpenDocument text
    Rtf,
    Xml,         // Word 2003 XML
    OldWord,     // Word for Windows 1/2, WordPerfect
    Unknown
};

FileKind sniffFileKind(const std::string& path);

// Bounds on what a package may inflate to before the engine unpacks it.
struct PackageLimits {
    std::uint64_t totalBytes = 512ull << 20;   // all parts together
    std::uint64_t partBytes = 32ull << 20;     // a part above this size...
    std::uint64_t partRatio = 100;             // ...may not inflate more than this many times
    std::uint64_t entries = 20000;
};

enum class PackageVerdict { Fine, TooLarge, Damaged, NotADocument };

struct PackageCheck {
    PackageVerdict verdict = PackageVerdict::Fine;
    std::string figures;  // for the user: which part, packed and unpacked sizes
};

// Reads the zip directory of a package (nothing is inflated but the first
// bytes of the XML parts, which may not declare a document type: a Word
// package never does, an entity bomb or an external entity always does).
PackageCheck checkPackage(const std::string& path, const PackageLimits& limits = {});

// A flat XML file declares no document type either.
bool xmlDeclaresDocumentType(const std::string& path);

}  // namespace word

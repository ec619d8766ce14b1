#include "FileFormat.h"

#include <zip.h>

#include <array>
#include <cstring>
#include <fstream>
#include <memory>
#include <string_view>

namespace word {

namespace {

std::string firstBytes(const std::string& path, std::size_t count) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(count, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

bool startsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

std::string_view skipBomAndBlanks(std::string_view bytes) {
    if (startsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
    while (!bytes.empty() && (bytes[0] == ' ' || bytes[0] == '\t' || bytes[0] == '\r' || bytes[0] == '\n')) {
        bytes.remove_prefix(1);
    }
    return bytes;
}

// The prolog is what comes before the root element; a document type can only
// be declared there.
bool prologDeclaresDocumentType(std::string_view bytes) {
    std::size_t at = 0;
    while ((at = bytes.find('<', at)) != std::string_view::npos && at + 1 < bytes.size()) {
        const char next = bytes[at + 1];
        if (next == '!' && bytes.substr(at, 9) == "<!DOCTYPE") return true;
        if (next != '?' && next != '!') return false;  // the root element
        ++at;
    }
    return false;
}

std::string megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

// The parts the engine reads as the document. Macro libraries and dialogs
// (OpenDocument's Basic/ and Dialogs/) carry a document type of their own
// and are never read, since macros never run.
bool isDocumentXmlPart(std::string_view name) {
    if (name.starts_with("Basic/") || name.starts_with("Dialogs/")) return false;
    return name.ends_with(".xml") || name.ends_with(".rels");
}

}  // namespace

FileKind sniffFileKind(const std::string& path) {
    const std::string head = firstBytes(path, 512);
    const std::string_view bytes(head);
    if (startsWith(bytes, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) return FileKind::Ole2;
    if (startsWith(bytes, "PK\x03\x04")) return FileKind::Zip;
    if (startsWith(bytes, "{\\rtf")) return FileKind::Rtf;
    if (startsWith(bytes, "\xFFWPC")) return FileKind::OldWord;
    if (startsWith(bytes, "\x9B\xA5") || startsWith(bytes, "\xDB\xA5")) return FileKind::OldWord;
    if (startsWith(skipBomAndBlanks(bytes), "<?xml")) return FileKind::Xml;
    return FileKind::Unknown;
}

bool xmlDeclaresDocumentType(const std::string& path) {
    return prologDeclaresDocumentType(skipBomAndBlanks(firstBytes(path, 64 * 1024)));
}

PackageCheck checkPackage(const std::string& path, const PackageLimits& limits) {
    int error = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error),
                                                           &zip_discard);
    if (!archive) return {PackageVerdict::Damaged, "压缩包目录不完整"};
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > limits.entries) {
        return {PackageVerdict::TooLarge, std::to_string(count) + " 个部件"};
    }
    std::uint64_t total = 0;
    bool wordPackage = false;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &stat) != 0 ||
            !(stat.valid & ZIP_STAT_SIZE) || !(stat.valid & ZIP_STAT_COMP_SIZE) || !(stat.valid & ZIP_STAT_NAME)) {
            return {PackageVerdict::Damaged, "压缩包目录不完整"};
        }
        const std::string_view name(stat.name);
        if (name == "[Content_Types].xml" || name == "mimetype") wordPackage = true;
        total += stat.size;
        const std::uint64_t packed = std::max<std::uint64_t>(stat.comp_size, 1);
        if (stat.size > limits.partBytes && stat.size / packed > limits.partRatio) {
            return {PackageVerdict::TooLarge, "部件 " + std::string(name) + " 压缩后 " + megabytes(stat.comp_size) +
                                                  "，解压后 " + megabytes(stat.size)};
        }
        if (total > limits.totalBytes) {
            return {PackageVerdict::TooLarge, "解压后超过 " + megabytes(total) + "，上限 " + megabytes(limits.totalBytes)};
        }
    }
    if (!wordPackage) return {PackageVerdict::NotADocument, "压缩包不是 Word 文档"};
    // Only the prolog of each XML part is read: a few kilobytes at most.
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0);
        if (!name || !isDocumentXmlPart(name)) continue;
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> part(zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(i), 0),
                                                                &zip_fclose);
        if (!part) return {PackageVerdict::Damaged, std::string("部件 ") + name + " 无法读取"};
        std::array<char, 4096> buffer{};
        const zip_int64_t read = zip_fread(part.get(), buffer.data(), buffer.size());
        if (read < 0) return {PackageVerdict::Damaged, std::string("部件 ") + name + " 无法解压"};
        if (prologDeclaresDocumentType(skipBomAndBlanks(std::string_view(buffer.data(), static_cast<std::size_t>(read))))) {
            return {PackageVerdict::Damaged, std::string("部件 ") + name + " 含有文档类型声明"};
        }
    }
    return {};
}

}  // namespace word

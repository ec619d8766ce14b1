// Feeds arbitrary bytes to the template file reader as a template file and
// checks that whatever it loads is written and read back unchanged.
#include "template/Codepage936.h"
#include "template/FormatTemplate.h"
#include "template/ProfileReader.h"
#include "template/TemplateLoader.h"
#include "template/TemplateWriter.h"
#include "template/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include <unistd.h>

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

void checkCodepageHelpers(std::string_view bytes) {
    const std::string utf8 = quillmark::gbkToUtf8(bytes);
    require(quillmark::isValidUtf8(utf8));
    require(quillmark::gbkByteLength(bytes) == quillmark::utf8ToGbk(bytes).size());
    const std::size_t limit = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % 32;
    const std::string cut = quillmark::cutGbkBytes(bytes, limit);
    require(quillmark::isValidUtf8(cut) && quillmark::gbkByteLength(cut) <= limit);
}

// Loaded texts never hold line breaks and sizes are written with every
// decimal they have, so the written file must load back exactly (as UTF-8 with a byte-order mark, because
// characters without a GBK form may come from a UTF-8 file).
void checkRoundTrip(const quillmark::FormatTemplate& loaded) {
    const std::string written = "\xEF\xBB\xBF" + quillmark::formatTemplateFile(loaded);
    quillmark::FormatTemplate reloaded;
    quillmark::applyProfile(reloaded, quillmark::parseProfileBytes(written));
    require(reloaded == loaded);
}

// The file path must give what the buffer gave.
struct ScratchFile {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("quillmark-fuzz-" + std::to_string(getpid()) + ".ini");
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

void checkFileLoad(std::string_view bytes, const quillmark::FormatTemplate& loaded) {
    static const ScratchFile file;
    std::ofstream(file.path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
    quillmark::FormatTemplate fromFile;
    fromFile.loadFromFile(file.path.string());
    require(fromFile == loaded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkCodepageHelpers(bytes);

    // A file with none of the template's sections is refused and changes nothing.
    quillmark::FormatTemplate loaded;
    const quillmark::Profile profile = quillmark::parseTemplateBytes(bytes);
    if (quillmark::holdsTemplateSection(profile)) quillmark::applyProfile(loaded, profile);
    checkRoundTrip(loaded);
    checkFileLoad(bytes, loaded);
    return 0;
}

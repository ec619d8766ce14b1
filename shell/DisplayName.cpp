#include "shell/DisplayName.h"

#include "template/Codepage936.h"

namespace quillmark {

std::string displayNameFor(std::string_view fileName) {
    std::size_t bytes = gbkByteLength(fileName);
    if (bytes <= 4) return {};
    return cutGbkBytes(fileName, bytes - 4);
}

}  // namespace quillmark

// A password is seen in the file itself, before the engine is asked to
// open it; damaged or looping compound files are left to the engine.
#include "support/DocBuilder.h"
#include "support/Engine.h"
#include "support/Files.h"
#include "word/CompoundFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

namespace {

using namespace quillmark::testing;

std::uint32_t u32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void putU32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

class CompoundFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string dir = scratchDir();
        plain_ = DocBuilder().paragraph("摘要").paragraph("本文研究论文格式的自动检查方法。").save(dir + "/plain.doc");
        encryptedDoc_ = dir + "/encrypted.doc";
        encryptedDocx_ = dir + "/encrypted.docx";
        saveWithPassword(plain_, encryptedDoc_);
        // The engine writes no encrypted package; the hostile-input script does.
        const std::string script = "import io, sys, zipfile; sys.path.insert(0, '" QUILLMARK_SOURCE_DIR "/tests/hostile'); "
                                   "from encrypted_package import encrypt_package; "
                                   "package = io.BytesIO(); zipfile.ZipFile(package, 'w').writestr('[Content_Types].xml', '<Types/>'); "
                                   "open(sys.argv[1], 'wb').write(encrypt_package(package.getvalue(), 'geheim'))";
        const std::string command = "/usr/bin/python3 -c \"" + script + "\" '" + encryptedDocx_ + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    static inline std::string plain_, encryptedDoc_, encryptedDocx_;
};

TEST_F(CompoundFiles, APasswordIsSeenInTheFile) {
    EXPECT_FALSE(word::compoundFileIsEncrypted(plain_));
    EXPECT_TRUE(word::compoundFileIsEncrypted(encryptedDoc_)) << "Word 97-2003 under a password";
    EXPECT_TRUE(word::compoundFileIsEncrypted(encryptedDocx_)) << "an encrypted Word 2007 package";
}

TEST_F(CompoundFiles, DamagedOrLoopingFilesAreLeftToTheEngine) {
    const std::string dir = scratchDir();
    const std::string bytes = readBytes(encryptedDoc_);
    writeBytes(dir + "/header-only.doc", bytes.substr(0, 600));
    EXPECT_FALSE(word::compoundFileIsEncrypted(dir + "/header-only.doc"));

    // The directory's first sector names itself as the next one: a loop.
    std::string looping = readBytes(encryptedDoc_);
    const std::size_t sectorSize = std::size_t{1} << (static_cast<unsigned char>(looping[0x1E]));
    const std::uint32_t directory = u32(looping, 0x30);
    const std::uint32_t firstTableSector = u32(looping, 0x4C);
    putU32(looping, (firstTableSector + 1) * sectorSize + 4 * directory, directory);
    writeBytes(dir + "/looping.doc", looping);
    EXPECT_FALSE(word::compoundFileIsEncrypted(dir + "/looping.doc"));

    EXPECT_FALSE(word::compoundFileIsEncrypted(dir + "/missing.doc"));
}

}  // namespace

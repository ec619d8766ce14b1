#include "CompoundFile.h"

#include <cstdint>
#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

namespace word {

namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kLastRegularSector = 0xFFFFFFFA;
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kDirectoryEntrySize = 128;
constexpr std::uint16_t kFibEncrypted = 0x0100;

std::uint16_t u16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t u32(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(u16(bytes, at)) | static_cast<std::uint32_t>(u16(bytes, at + 2)) << 16;
}

class CompoundFile {
public:
    explicit CompoundFile(const std::string& path) : in_(path, std::ios::binary) {
        if (!in_) return;
        in_.seekg(0, std::ios::end);
        size_ = static_cast<std::uint64_t>(in_.tellg());
        header_ = read(0, kHeaderSize).value_or("");
        if (header_.size() != kHeaderSize) return;
        const std::uint16_t shift = u16(header_, 0x1E);
        if (shift != 9 && shift != 12) return;
        sectorSize_ = std::size_t{1} << shift;
        ok_ = readAllocationTable();
    }

    bool ok() const { return ok_; }

    // The directory entries, 128 bytes each, in the order of the chain.
    std::optional<std::string> directory() { return chain(u32(header_, 0x30)); }

    // `count` bytes at `offset` of a stream (its directory entry given),
    // when they lie in its first sector. A stream below the cutoff size
    // lives in the small sectors of the mini stream, which is the root
    // entry's stream.
    std::optional<std::string> streamStart(std::string_view entry, std::string_view rootEntry, std::size_t offset,
                                           std::size_t count) {
        const std::uint32_t sector = u32(entry, 0x74);
        if (u32(entry, 0x78) >= u32(header_, 0x38)) {
            if (offset + count > sectorSize_ || sector > kLastRegularSector) return std::nullopt;
            return read(sectorOffset(sector) + offset, count);
        }
        const std::size_t miniSize = std::size_t{1} << (u16(header_, 0x20) & 0x1F);
        if (offset + count > miniSize) return std::nullopt;
        const std::uint64_t inMiniStream = static_cast<std::uint64_t>(sector) * miniSize + offset;
        std::uint32_t holder = u32(rootEntry, 0x74);
        if (inMiniStream / sectorSize_ > table_.size()) return std::nullopt;
        for (std::uint64_t hops = inMiniStream / sectorSize_; hops > 0; --hops) {
            if (holder >= table_.size()) return std::nullopt;
            holder = table_[holder];
        }
        if (holder > kLastRegularSector) return std::nullopt;
        return read(sectorOffset(holder) + inMiniStream % sectorSize_, count);
    }

private:
    std::uint64_t sectorOffset(std::uint32_t sector) const { return (static_cast<std::uint64_t>(sector) + 1) * sectorSize_; }

    std::optional<std::string> read(std::uint64_t offset, std::size_t count) {
        if (offset + count > size_) return std::nullopt;
        std::string bytes(count, '\0');
        in_.seekg(static_cast<std::streamoff>(offset));
        if (!in_.read(bytes.data(), static_cast<std::streamsize>(count))) return std::nullopt;
        return bytes;
    }

    // The sectors of the allocation table are listed in the header (109 of
    // them) and then in a chain of list sectors.
    bool readAllocationTable() {
        const std::uint64_t sectorCount = size_ / sectorSize_;
        const std::uint32_t tableSectors = u32(header_, 0x2C);
        if (tableSectors > sectorCount) return false;
        std::vector<std::uint32_t> tableSectorList;
        for (std::size_t i = 0; i < 109 && tableSectorList.size() < tableSectors; ++i) {
            tableSectorList.push_back(u32(header_, 0x4C + 4 * i));
        }
        std::uint32_t listSector = u32(header_, 0x44);
        for (std::uint64_t hops = 0; tableSectorList.size() < tableSectors; ++hops) {
            if (listSector > kLastRegularSector || hops > sectorCount) return false;
            const std::optional<std::string> list = read(sectorOffset(listSector), sectorSize_);
            if (!list) return false;
            for (std::size_t at = 0; at + 4 < sectorSize_ && tableSectorList.size() < tableSectors; at += 4) {
                tableSectorList.push_back(u32(*list, at));
            }
            listSector = u32(*list, sectorSize_ - 4);
        }
        table_.reserve(tableSectorList.size() * sectorSize_ / 4);
        for (std::uint32_t sector : tableSectorList) {
            if (sector > kLastRegularSector) return false;
            const std::optional<std::string> part = read(sectorOffset(sector), sectorSize_);
            if (!part) return false;
            for (std::size_t at = 0; at < sectorSize_; at += 4) table_.push_back(u32(*part, at));
        }
        return true;
    }

    // The bytes of a chain of sectors; a chain longer than the file has
    // sectors loops, and is refused.
    std::optional<std::string> chain(std::uint32_t sector) {
        std::string bytes;
        for (std::uint64_t hops = 0; sector != kEndOfChain; ++hops) {
            if (sector > kLastRegularSector || sector >= table_.size() || hops > size_ / sectorSize_) return std::nullopt;
            const std::optional<std::string> part = read(sectorOffset(sector), sectorSize_);
            if (!part) return std::nullopt;
            bytes += *part;
            sector = table_[sector];
        }
        return bytes;
    }

    std::ifstream in_;
    std::uint64_t size_ = 0;
    std::string header_;
    std::size_t sectorSize_ = 512;
    std::vector<std::uint32_t> table_;
    bool ok_ = false;
};

// A directory entry's name, UTF-16 in the file; the names we look for are ASCII.
bool entryNamed(std::string_view entry, std::string_view name) {
    const std::size_t length = u16(entry, 0x40);
    if (length != 2 * (name.size() + 1)) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (u16(entry, 2 * i) != static_cast<unsigned char>(name[i])) return false;
    }
    return true;
}

constexpr std::uint8_t kStreamEntry = 2;

}  // namespace

bool compoundFileIsEncrypted(const std::string& path) {
    CompoundFile file(path);
    if (!file.ok()) return false;
    const std::optional<std::string> directory = file.directory();
    if (!directory) return false;
    if (directory->size() < kDirectoryEntrySize) return false;
    const std::string_view rootEntry = std::string_view(*directory).substr(0, kDirectoryEntrySize);
    for (std::size_t at = 0; at + kDirectoryEntrySize <= directory->size(); at += kDirectoryEntrySize) {
        const std::string_view entry = std::string_view(*directory).substr(at, kDirectoryEntrySize);
        if (static_cast<std::uint8_t>(entry[0x42]) != kStreamEntry) continue;
        if (entryNamed(entry, "EncryptedPackage")) return true;
        if (entryNamed(entry, "WordDocument")) {
            // The flags of the file information block at the stream's start.
            const std::optional<std::string> flags = file.streamStart(entry, rootEntry, 0x0A, 2);
            if (flags && (u16(*flags, 0) & kFibEncrypted)) return true;
        }
    }
    return false;
}

}  // namespace word

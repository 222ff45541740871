#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The program's version data: a block the build places in the ELF section
// kVersionSectionName of every program file, read back by TVersionData.
//
// All numbers little-endian whatever the machine, so the block reads the same
// from any program file:
//
//   header      char magic[8] = "vornVER1"; u32 blockSize (the whole block);
//               u32 translationCount; u32 tableCount
//   translations translationCount x u32: language in the low 16 bits, code page in the high 16
//   tables      tableCount x { u32 tableSize (this table, its own header included);
//                              char id[8] (language and code page as 8 hex digits, "040904E4");
//                              u32 stringCount;
//                              stringCount x { u16 keyLength; u16 valueLength; key; value } }
//
// Keys and values are UTF-8 without terminator. Every size is stated before
// what it measures and the tables must end exactly at blockSize, so a reader
// can refuse any block whose numbers disagree.

inline constexpr const char* kVersionSectionName = ".vorn_version";
inline constexpr std::string_view kVersionMagic{"vornVER1", 8};
inline constexpr std::size_t kVersionHeaderSize = 20;
inline constexpr std::size_t kVersionTableHeaderSize = 16;
inline constexpr std::size_t kVersionStringHeaderSize = 4;

struct TVersionString
{
    std::string_view key;
    std::string_view value;
};

struct TVersionTable
{
    std::uint16_t language;
    std::uint16_t codePage;
    std::span<const TVersionString> strings;
};

constexpr std::uint32_t VersionTranslation(std::uint16_t language, std::uint16_t codePage)
{
    return std::uint32_t(language) | (std::uint32_t(codePage) << 16);
}

constexpr std::size_t VersionTableSize(const TVersionTable& table)
{
    std::size_t size = kVersionTableHeaderSize;
    for (const TVersionString& s : table.strings)
        size += kVersionStringHeaderSize + s.key.size() + s.value.size();
    return size;
}

constexpr std::size_t VersionBlockSize(std::span<const std::uint32_t> translations,
                                       std::span<const TVersionTable> tables)
{
    std::size_t size = kVersionHeaderSize + 4 * translations.size();
    for (const TVersionTable& t : tables)
        size += VersionTableSize(t);
    return size;
}

namespace version_block_detail {

constexpr unsigned char* Put(unsigned char* out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        *out++ = static_cast<unsigned char>(value >> (8 * i));
    return out;
}

constexpr unsigned char* Put(unsigned char* out, std::string_view text)
{
    for (char c : text)
        *out++ = static_cast<unsigned char>(c);
    return out;
}

constexpr char HexDigit(unsigned value)
{
    return "0123456789ABCDEF"[value & 0xF];
}

} // namespace version_block_detail

// Writes the block to out, which must hold VersionBlockSize() bytes. Texts
// longer than 65535 bytes do not fit the format; the build never makes them.
constexpr void WriteVersionBlock(std::span<const std::uint32_t> translations,
                                 std::span<const TVersionTable> tables, unsigned char* out)
{
    using namespace version_block_detail;
    out = Put(out, kVersionMagic);
    out = Put(out, VersionBlockSize(translations, tables), 4);
    out = Put(out, translations.size(), 4);
    out = Put(out, tables.size(), 4);
    for (std::uint32_t t : translations)
        out = Put(out, t, 4);
    for (const TVersionTable& table : tables) {
        out = Put(out, VersionTableSize(table), 4);
        for (int shift : {12, 8, 4, 0})
            *out++ = static_cast<unsigned char>(HexDigit(unsigned(table.language) >> shift));
        for (int shift : {12, 8, 4, 0})
            *out++ = static_cast<unsigned char>(HexDigit(unsigned(table.codePage) >> shift));
        out = Put(out, table.strings.size(), 4);
        for (const TVersionString& s : table.strings) {
            out = Put(out, s.key.size(), 2);
            out = Put(out, s.value.size(), 2);
            out = Put(out, s.key);
            out = Put(out, s.value);
        }
    }
}

template <std::size_t N>
constexpr std::array<unsigned char, N> MakeVersionBlock(std::span<const std::uint32_t> translations,
                                                        std::span<const TVersionTable> tables)
{
    std::array<unsigned char, N> block{};
    if (VersionBlockSize(translations, tables) != N)
        throw "the block size given does not match the texts"; // a compile error where it is constant
    WriteVersionBlock(translations, tables, block.data());
    return block;
}

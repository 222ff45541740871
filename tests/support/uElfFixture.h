#pragma once

#include "about/uVersionBlock.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Small ELF files made byte by byte for the version data reader's tests: an
// ELF header, the sections' data, the section name table and the section
// header table, in the class and byte order asked for.
struct TElfFixture
{
    struct TSection
    {
        std::string name;
        std::string data;
        std::uint32_t type = 1; // SHT_PROGBITS
    };

    bool is64 = true;
    bool bigEndian = false;
    std::vector<TSection> sections;

    // Spoil the last section's header or the file header, to show a reader refuses it.
    std::optional<std::uint64_t> lastOffset;
    std::optional<std::uint64_t> lastSize;
    std::optional<std::uint32_t> lastNameOffset;
    std::optional<std::uint16_t> namesIndex;
    std::optional<std::uint16_t> headerEntrySize;

    std::string Bytes() const;
};

// A version block with the given translation entries and tables, made at run time.
std::string VersionBlock(const std::vector<std::uint32_t>& translations, const std::vector<TVersionTable>& tables);

// One table of strings of language/code page 0409/04E4 named by the only translation entry.
std::string VersionBlock(const std::vector<TVersionString>& strings);

// An ELF file whose .vorn_version section holds block.
std::string ElfWithVersion(const std::string& block, bool is64 = true, bool bigEndian = false);

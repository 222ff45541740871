#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The version data of a program file (layout in about/uVersionBlock.h),
// queried the way the version values are looked up: the first translation
// entry names the string table, keys are matched without regard to case.
class TVersionData final
{
public:
    // Takes a block; false (and no data) when any of its sizes disagree.
    bool Assign(std::string_view block, std::string* error = nullptr);
    // Reads the block from the program file's version section.
    bool LoadFromFile(const std::string& path, std::string* error = nullptr);
    // The same from an ELF image held in memory.
    bool LoadFromElfImage(std::string_view image, std::string* error = nullptr);

    void Clear();
    bool IsEmpty() const { return translations_.empty() && tables_.empty(); }

    // "\VarFileInfo\Translation": the first entry, language in the low 16 bits.
    std::optional<std::uint32_t> FirstTranslation() const;
    // The text at a sub-block path "\StringFileInfo\<8 hex digits>\<key>", up to
    // any zero byte; nothing when the table or the key is missing.
    std::optional<std::string> QueryValue(std::string_view subBlock) const;
    // The value of key in the table the first translation entry names; empty
    // when there is no translation entry, no such table or no such key.
    std::string ReadVersionValue(std::string_view key) const;

private:
    struct TTable
    {
        std::string id;
        std::vector<std::pair<std::string, std::string>> strings;
    };
    std::vector<std::uint32_t> translations_;
    std::vector<TTable> tables_;
};

// The sub-block path of key in the string table of translation entry
// translation: language and code page as four upper-case hex digits each.
std::string StringSubBlock(std::uint32_t translation, std::string_view key);

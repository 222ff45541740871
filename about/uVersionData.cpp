#include "about/uVersionData.h"

#include <cstdio>

#include "about/uElfSection.h"
#include "about/uVersionBlock.h"

namespace {

// Reads the block's little-endian numbers, refusing to step past its end.
class TCursor final
{
public:
    explicit TCursor(std::string_view bytes) : bytes_(bytes) {}

    bool Number(int size, std::uint32_t& value)
    {
        if (bytes_.size() - pos_ < std::size_t(size))
            return false;
        value = 0;
        for (int i = 0; i < size; ++i)
            value |= std::uint32_t(static_cast<unsigned char>(bytes_[pos_ + std::size_t(i)])) << (8 * i);
        pos_ += std::size_t(size);
        return true;
    }

    bool Text(std::size_t size, std::string& text)
    {
        if (bytes_.size() - pos_ < size)
            return false;
        text.assign(bytes_.substr(pos_, size));
        pos_ += size;
        return true;
    }

    std::size_t Left() const { return bytes_.size() - pos_; }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

bool Refuse(std::string* error, const char* text)
{
    if (error)
        *error = text;
    return false;
}

constexpr std::string_view kStringPrefix = "\\StringFileInfo\\";

} // namespace

void TVersionData::Clear()
{
    translations_.clear();
    tables_.clear();
}

bool TVersionData::Assign(std::string_view block, std::string* error)
{
    Clear();
    std::string magic;
    std::uint32_t blockSize = 0, translationCount = 0, tableCount = 0;
    TCursor header(block);
    if (!header.Text(kVersionMagic.size(), magic) || magic != kVersionMagic)
        return Refuse(error, "not version data");
    if (!header.Number(4, blockSize) || !header.Number(4, translationCount) || !header.Number(4, tableCount))
        return Refuse(error, "the version data's header is cut short");
    if (blockSize < kVersionHeaderSize || blockSize > block.size())
        return Refuse(error, "the version data's size disagrees with its section");
    // The section may be padded after the block; only the block counts.
    TCursor in(block.substr(kVersionHeaderSize, blockSize - kVersionHeaderSize));
    if (translationCount > in.Left() / 4)
        return Refuse(error, "the translation table runs past the version data");
    std::vector<std::uint32_t> translations(translationCount);
    for (std::uint32_t& t : translations)
        in.Number(4, t);
    std::vector<TTable> tables;
    for (std::uint32_t t = 0; t < tableCount; ++t) {
        std::uint32_t tableSize = 0, stringCount = 0;
        TTable table;
        std::string body;
        if (!in.Number(4, tableSize) || tableSize < kVersionTableHeaderSize || !in.Text(tableSize - 4, body))
            return Refuse(error, "a string table runs past the version data");
        TCursor tin(body);
        tin.Text(8, table.id);
        tin.Number(4, stringCount);
        for (std::uint32_t s = 0; s < stringCount; ++s) {
            std::uint32_t keyLength = 0, valueLength = 0;
            std::string key, value;
            if (!tin.Number(2, keyLength) || !tin.Number(2, valueLength) || !tin.Text(keyLength, key) ||
                !tin.Text(valueLength, value))
                return Refuse(error, "a string runs past its table");
            table.strings.emplace_back(std::move(key), std::move(value));
        }
        if (tin.Left() != 0)
            return Refuse(error, "a string table is longer than its strings");
        tables.push_back(std::move(table));
    }
    if (in.Left() != 0)
        return Refuse(error, "the version data is longer than its tables");
    translations_ = std::move(translations);
    tables_ = std::move(tables);
    return true;
}

bool TVersionData::LoadFromFile(const std::string& path, std::string* error)
{
    Clear();
    std::string section;
    if (ReadElfSectionOfFile(path, kVersionSectionName, section, error) != TElfSectionResult::Found)
        return false;
    return Assign(section, error);
}

bool TVersionData::LoadFromElfImage(std::string_view image, std::string* error)
{
    Clear();
    std::string section;
    if (ReadElfSection(image, kVersionSectionName, section, error) != TElfSectionResult::Found)
        return false;
    return Assign(section, error);
}

std::optional<std::uint32_t> TVersionData::FirstTranslation() const
{
    if (translations_.empty())
        return std::nullopt;
    return translations_.front();
}

std::optional<std::string> TVersionData::QueryValue(std::string_view subBlock) const
{
    if (subBlock.size() < kStringPrefix.size() || !SameIgnoringCase(subBlock.substr(0, kStringPrefix.size()), kStringPrefix))
        return std::nullopt;
    subBlock.remove_prefix(kStringPrefix.size());
    const std::size_t slash = subBlock.find('\\');
    if (slash == std::string_view::npos)
        return std::nullopt;
    const std::string_view id = subBlock.substr(0, slash);
    const std::string_view key = subBlock.substr(slash + 1);
    for (const TTable& table : tables_) {
        if (!SameIgnoringCase(table.id, id))
            continue;
        for (const auto& [k, v] : table.strings)
            if (SameIgnoringCase(k, key))
                return v.substr(0, v.find('\0'));
        return std::nullopt;
    }
    return std::nullopt;
}

std::string TVersionData::ReadVersionValue(std::string_view key) const
{
    const std::optional<std::uint32_t> translation = FirstTranslation();
    if (!translation)
        return {};
    return QueryValue(StringSubBlock(*translation, key)).value_or(std::string());
}

std::string StringSubBlock(std::uint32_t translation, std::string_view key)
{
    char id[9];
    std::snprintf(id, sizeof id, "%.4X%.4X", unsigned(translation & 0xFFFF), unsigned(translation >> 16));
    return std::string(kStringPrefix) + id + '\\' + std::string(key);
}

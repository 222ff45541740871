#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A GNU MO catalogue held in memory. Every offset is checked when the data is
// loaded, so lookups never read outside it, whatever the file held.
class TMoFile final
{
public:
    // Takes the whole file. Returns false and says why in *error when the data
    // is not a sound MO catalogue; the object is then empty.
    bool Load(std::string data, std::string* error);

    // The translation of msgid, or nothing when the catalogue lacks it. The
    // view stays valid as long as this object is not loaded again.
    std::optional<std::string_view> Lookup(std::string_view msgid) const;

    // The charset the header entry declares ("" when it declares none).
    std::string Charset() const;

    bool IsLoaded() const { return count_ != 0 || !data_.empty(); }

private:
    std::uint32_t Word(std::uint64_t offset) const;
    std::string_view String(std::uint64_t tableOffset, std::uint32_t index) const;

    std::string data_;
    bool swapped_ = false;
    std::uint32_t count_ = 0;
    std::uint32_t originals_ = 0;
    std::uint32_t translations_ = 0;
};

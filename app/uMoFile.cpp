#include "app/uMoFile.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::uint32_t kMagicSwapped = 0xde120495;
constexpr std::uint64_t kHeaderSize = 28;

std::uint32_t ByteSwap(std::uint32_t v)
{
    return (v >> 24) | ((v >> 8) & 0xff00) | ((v << 8) & 0xff0000) | (v << 24);
}

} // namespace

std::uint32_t TMoFile::Word(std::uint64_t offset) const
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t(static_cast<unsigned char>(data_[offset + i])) << (8 * i);
    return swapped_ ? ByteSwap(v) : v;
}

std::string_view TMoFile::String(std::uint64_t tableOffset, std::uint32_t index) const
{
    const std::uint64_t entry = tableOffset + std::uint64_t(index) * 8;
    return std::string_view(data_).substr(Word(entry + 4), Word(entry));
}

bool TMoFile::Load(std::string data, std::string* error)
{
    auto fail = [&](const char* why) {
        data_.clear();
        count_ = originals_ = translations_ = 0;
        if (error)
            *error = why;
        return false;
    };
    data_ = std::move(data);
    if (data_.size() < kHeaderSize)
        return fail("file too short for an MO header");
    swapped_ = false;
    const std::uint32_t magic = Word(0);
    if (magic == kMagicSwapped)
        swapped_ = true;
    else if (magic != kMagic)
        return fail("not an MO file (bad magic number)");
    if ((Word(4) >> 16) != 0)
        return fail("unsupported MO revision");
    count_ = Word(8);
    originals_ = Word(12);
    translations_ = Word(16);

    const std::uint64_t size = data_.size();
    const std::uint64_t tableBytes = std::uint64_t(count_) * 8;
    if (originals_ + tableBytes > size || translations_ + tableBytes > size)
        return fail("string tables lie outside the file");
    // Each string must lie inside the file and end with the NUL that MO puts after it.
    for (std::uint32_t i = 0; i < count_; ++i) {
        for (std::uint64_t table : {std::uint64_t(originals_), std::uint64_t(translations_)}) {
            const std::uint64_t length = Word(table + std::uint64_t(i) * 8);
            const std::uint64_t offset = Word(table + std::uint64_t(i) * 8 + 4);
            if (offset + length >= size || data_[offset + length] != '\0')
                return fail("a string lies outside the file or is not terminated");
        }
    }
    return true;
}

std::optional<std::string_view> TMoFile::Lookup(std::string_view msgid) const
{
    // The originals are sorted by msgfmt; a plural entry holds "msgid\0plural".
    auto key = [this](std::uint32_t i) {
        std::string_view s = String(originals_, i);
        return s.substr(0, std::min(s.find('\0'), s.size()));
    };
    std::uint32_t lo = 0, hi = count_;
    while (lo < hi) {
        const std::uint32_t mid = lo + (hi - lo) / 2;
        const int c = key(mid).compare(msgid);
        if (c == 0) {
            std::string_view t = String(translations_, mid);
            return t.substr(0, std::min(t.find('\0'), t.size()));
        }
        if (c < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return std::nullopt;
}

std::string TMoFile::Charset() const
{
    const auto header = Lookup("");
    if (!header)
        return {};
    const auto at = header->find("charset=");
    if (at == std::string_view::npos)
        return {};
    const auto rest = header->substr(at + 8);
    const auto end = rest.find_first_of(" \t\r\n;");
    return std::string(rest.substr(0, end));
}

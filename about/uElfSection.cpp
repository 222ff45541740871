#include "about/uElfSection.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <type_traits>

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TElfSectionResult Fail(TElfSectionResult result, std::string* error, const char* text)
{
    if (error)
        *error = text;
    return result;
}

// True when [offset, offset + count) lies within size, without overflowing.
bool Within(std::uint64_t size, std::uint64_t offset, std::uint64_t count)
{
    return offset <= size && count <= size - offset;
}

template <typename T> T Swapped(T value)
{
    auto in = static_cast<std::make_unsigned_t<T>>(value);
    std::make_unsigned_t<T> out = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i, in >>= 8)
        out = static_cast<std::make_unsigned_t<T>>((out << 8) | (in & 0xFF));
    return static_cast<T>(out);
}

template <typename Ehdr, typename Shdr> class TElfImage final
{
public:
    TElfImage(std::uint64_t fileSize, const TElfReadAt& readAt, bool foreignOrder)
        : fileSize_(fileSize), readAt_(readAt), swap_(foreignOrder)
    {
    }

    TElfSectionResult Find(std::string_view name, std::string& contents, std::string* error)
    {
        Ehdr eh;
        if (!Read(0, &eh, sizeof eh))
            return status_ == TElfSectionResult::ReadFailed ? Fail(status_, error, "cannot read the ELF header")
                                                            : Fail(status_, error, "the ELF header is cut short");
        const std::uint64_t shoff = Fix(eh.e_shoff);
        const std::uint64_t shentsize = Fix(eh.e_shentsize);
        std::uint64_t shnum = Fix(eh.e_shnum);
        std::uint64_t shstrndx = Fix(eh.e_shstrndx);
        if (shoff == 0)
            return Fail(TElfSectionResult::Missing, error, "the file has no section table");
        if (shentsize < sizeof(Shdr))
            return Fail(TElfSectionResult::Malformed, error, "the section header size is too small");
        // More than SHN_LORESERVE sections: the real count and string table index sit in section 0.
        if (shnum == 0 || shstrndx == SHN_XINDEX) {
            Shdr first;
            if (!ReadHeader(shoff, shentsize, 0, first))
                return Fail(status_, error, "the section table lies outside the file");
            if (shnum == 0)
                shnum = Fix(first.sh_size);
            if (shstrndx == SHN_XINDEX)
                shstrndx = Fix(first.sh_link);
        }
        if (shoff > fileSize_ || shnum > (fileSize_ - shoff) / shentsize)
            return Fail(TElfSectionResult::Malformed, error, "the section table lies outside the file");
        if (shstrndx == SHN_UNDEF || shstrndx >= shnum)
            return Fail(TElfSectionResult::Malformed, error, "the section name table index is invalid");

        Shdr namesHeader;
        std::string names;
        if (!ReadHeader(shoff, shentsize, shstrndx, namesHeader) || !ReadSection(namesHeader, names))
            return Fail(status_, error, "the section name table is invalid");

        for (std::uint64_t i = 1; i < shnum; ++i) {
            Shdr sh;
            if (!ReadHeader(shoff, shentsize, i, sh))
                return Fail(status_, error, "cannot read a section header");
            const std::uint64_t at = Fix(sh.sh_name);
            if (at >= names.size())
                return Fail(TElfSectionResult::Malformed, error, "a section name lies outside the name table");
            const std::size_t end = names.find('\0', std::size_t(at));
            if (end == std::string::npos)
                return Fail(TElfSectionResult::Malformed, error, "a section name is not terminated");
            if (std::string_view(names).substr(std::size_t(at), end - std::size_t(at)) != name)
                continue;
            if (!ReadSection(sh, contents))
                return Fail(status_, error, "the section's data lies outside the file");
            return TElfSectionResult::Found;
        }
        return Fail(TElfSectionResult::Missing, error, "the file has no such section");
    }

private:
    template <typename T> T Fix(T value) const { return swap_ ? Swapped(value) : value; }

    bool Read(std::uint64_t offset, void* buffer, std::size_t count)
    {
        if (!Within(fileSize_, offset, count)) {
            status_ = TElfSectionResult::Malformed;
            return false;
        }
        if (!readAt_(offset, buffer, count)) {
            status_ = TElfSectionResult::ReadFailed;
            return false;
        }
        return true;
    }

    bool ReadHeader(std::uint64_t shoff, std::uint64_t shentsize, std::uint64_t index, Shdr& sh)
    {
        // index < shnum has been checked against the file size, so this cannot overflow;
        // for section 0 read before that check, Read() refuses what lies outside.
        return Read(shoff + index * shentsize, &sh, sizeof sh);
    }

    bool ReadSection(const Shdr& sh, std::string& contents)
    {
        const std::uint64_t size = Fix(sh.sh_size);
        if (Fix(sh.sh_type) == SHT_NOBITS || size > kElfSectionLimit) {
            status_ = TElfSectionResult::Malformed;
            return false;
        }
        contents.assign(std::size_t(size), '\0');
        return Read(Fix(sh.sh_offset), contents.data(), contents.size());
    }

    std::uint64_t fileSize_;
    const TElfReadAt& readAt_;
    bool swap_;
    TElfSectionResult status_ = TElfSectionResult::Malformed;
};

} // namespace

TElfSectionResult ReadElfSection(std::uint64_t fileSize, const TElfReadAt& readAt, std::string_view name,
                                 std::string& contents, std::string* error)
{
    contents.clear();
    unsigned char ident[EI_NIDENT];
    if (fileSize < EI_NIDENT)
        return Fail(TElfSectionResult::Malformed, error, "not an ELF file");
    if (!readAt(0, ident, sizeof ident))
        return Fail(TElfSectionResult::ReadFailed, error, "cannot read the file");
    if (std::memcmp(ident, ELFMAG, SELFMAG) != 0 || ident[EI_VERSION] != EV_CURRENT)
        return Fail(TElfSectionResult::Malformed, error, "not an ELF file");
    const bool little = std::endian::native == std::endian::little;
    bool foreign;
    if (ident[EI_DATA] == ELFDATA2LSB)
        foreign = !little;
    else if (ident[EI_DATA] == ELFDATA2MSB)
        foreign = little;
    else
        return Fail(TElfSectionResult::Malformed, error, "unknown ELF byte order");
    TElfSectionResult result;
    if (ident[EI_CLASS] == ELFCLASS64)
        result = TElfImage<Elf64_Ehdr, Elf64_Shdr>(fileSize, readAt, foreign).Find(name, contents, error);
    else if (ident[EI_CLASS] == ELFCLASS32)
        result = TElfImage<Elf32_Ehdr, Elf32_Shdr>(fileSize, readAt, foreign).Find(name, contents, error);
    else
        return Fail(TElfSectionResult::Malformed, error, "unknown ELF class");
    if (result != TElfSectionResult::Found)
        contents.clear();
    return result;
}

TElfSectionResult ReadElfSection(std::string_view image, std::string_view name, std::string& contents,
                                 std::string* error)
{
    const TElfReadAt readAt = [image](std::uint64_t offset, void* buffer, std::size_t count) {
        std::memcpy(buffer, image.data() + offset, count);
        return true;
    };
    return ReadElfSection(image.size(), readAt, name, contents, error);
}

namespace {

// Closes the descriptor on every way out.
class TFd final
{
public:
    explicit TFd(int fd) : fd_(fd) {}
    ~TFd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

TElfSectionResult ReadElfSectionOfFile(const std::string& path, std::string_view name, std::string& contents,
                                       std::string* error)
{
    contents.clear();
    // Non-blocking, so that a FIFO or device in its place is refused instead of waited on.
    TFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st;
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0) {
        if (error)
            *error = std::strerror(errno);
        return TElfSectionResult::ReadFailed;
    }
    if (!S_ISREG(st.st_mode))
        return Fail(TElfSectionResult::ReadFailed, error, "not a regular file");
    const TElfReadAt readAt = [&fd](std::uint64_t offset, void* buffer, std::size_t count) {
        auto* out = static_cast<char*>(buffer);
        while (count > 0) {
            const ssize_t n = ::pread(fd.get(), out, count, off_t(offset));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false; // an error, or the file shrank under us
            out += n;
            offset += std::uint64_t(n);
            count -= std::size_t(n);
        }
        return true;
    };
    return ReadElfSection(std::uint64_t(st.st_size), readAt, name, contents, error);
}

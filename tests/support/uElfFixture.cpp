#include "support/uElfFixture.h"

#include <cstddef>

#include <elf.h>

namespace {

class TWriter final
{
public:
    explicit TWriter(bool bigEndian) : bigEndian_(bigEndian) {}

    void Put(std::size_t at, std::uint64_t value, std::size_t size)
    {
        if (bytes.size() < at + size)
            bytes.resize(at + size, '\0');
        for (std::size_t i = 0; i < size; ++i) {
            const std::size_t shift = 8 * (bigEndian_ ? size - 1 - i : i);
            bytes[at + i] = char((value >> shift) & 0xFF);
        }
    }

    std::size_t Append(const std::string& data)
    {
        const std::size_t at = bytes.size();
        bytes += data;
        return at;
    }

    std::string bytes;

private:
    bool bigEndian_;
};

#define PUT(writer, base, Struct, field, value) \
    (writer).Put((base) + offsetof(Struct, field), (value), sizeof(Struct::field))

template <typename Ehdr, typename Shdr> std::string Build(const TElfFixture& f, unsigned char elfClass)
{
    TWriter w(f.bigEndian);
    w.bytes.assign(sizeof(Ehdr), '\0');
    const unsigned char ident[] = {ELFMAG0, ELFMAG1, ELFMAG2, ELFMAG3, elfClass,
                                   static_cast<unsigned char>(f.bigEndian ? ELFDATA2MSB : ELFDATA2LSB), EV_CURRENT};
    for (std::size_t i = 0; i < sizeof ident; ++i)
        w.bytes[i] = char(ident[i]);

    std::string names(1, '\0');
    std::vector<std::size_t> nameAt, dataAt;
    for (const TElfFixture::TSection& s : f.sections) {
        nameAt.push_back(names.size());
        names += s.name + '\0';
        dataAt.push_back(w.Append(s.data));
    }
    const std::size_t namesNameAt = names.size();
    names += std::string(".shstrtab") + '\0';
    const std::size_t namesAt = w.Append(names);

    const std::size_t shoff = w.bytes.size();
    const std::size_t count = f.sections.size() + 2; // the null section, ours, the name table
    const std::size_t namesIndex = count - 1;
    PUT(w, 0, Ehdr, e_type, ET_EXEC);
    PUT(w, 0, Ehdr, e_version, EV_CURRENT);
    PUT(w, 0, Ehdr, e_ehsize, sizeof(Ehdr));
    PUT(w, 0, Ehdr, e_shoff, shoff);
    PUT(w, 0, Ehdr, e_shentsize, f.headerEntrySize.value_or(sizeof(Shdr)));
    PUT(w, 0, Ehdr, e_shnum, count);
    PUT(w, 0, Ehdr, e_shstrndx, f.namesIndex.value_or(namesIndex));
    w.bytes.resize(shoff + sizeof(Shdr) * count, '\0');
    for (std::size_t i = 0; i < f.sections.size(); ++i) {
        const std::size_t at = shoff + sizeof(Shdr) * (i + 1);
        const bool last = i + 1 == f.sections.size();
        PUT(w, at, Shdr, sh_name, last ? f.lastNameOffset.value_or(nameAt[i]) : nameAt[i]);
        PUT(w, at, Shdr, sh_type, f.sections[i].type);
        PUT(w, at, Shdr, sh_offset, last ? f.lastOffset.value_or(dataAt[i]) : dataAt[i]);
        PUT(w, at, Shdr, sh_size, last ? f.lastSize.value_or(f.sections[i].data.size()) : f.sections[i].data.size());
    }
    const std::size_t at = shoff + sizeof(Shdr) * namesIndex;
    PUT(w, at, Shdr, sh_name, namesNameAt);
    PUT(w, at, Shdr, sh_type, SHT_STRTAB);
    PUT(w, at, Shdr, sh_offset, namesAt);
    PUT(w, at, Shdr, sh_size, names.size());
    return w.bytes;
}

} // namespace

std::string TElfFixture::Bytes() const
{
    return is64 ? Build<Elf64_Ehdr, Elf64_Shdr>(*this, ELFCLASS64) : Build<Elf32_Ehdr, Elf32_Shdr>(*this, ELFCLASS32);
}

std::string VersionBlock(const std::vector<std::uint32_t>& translations, const std::vector<TVersionTable>& tables)
{
    std::string block(VersionBlockSize(translations, tables), '\0');
    WriteVersionBlock(translations, tables, reinterpret_cast<unsigned char*>(block.data()));
    return block;
}

std::string VersionBlock(const std::vector<TVersionString>& strings)
{
    return VersionBlock({VersionTranslation(0x0409, 0x04E4)}, {{0x0409, 0x04E4, strings}});
}

std::string ElfWithVersion(const std::string& block, bool is64, bool bigEndian)
{
    TElfFixture f;
    f.is64 = is64;
    f.bigEndian = bigEndian;
    f.sections = {{".text", std::string(16, '\x90')}, {kVersionSectionName, block}};
    return f.Bytes();
}

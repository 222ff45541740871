// Feeds arbitrary bytes to the version data reader, both as a whole program
// file and as the section's block alone: neither may read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "about/uVersionData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (bool asElf : {true, false}) {
        TVersionData version;
        if (asElf)
            version.LoadFromElfImage(bytes);
        else
            version.Assign(bytes);
        for (const char* key : {"FileVersion", "LegalCopyRight", "originalfilename"})
            (void)version.ReadVersionValue(key);
        (void)version.QueryValue("\\StringFileInfo\\040904E4\\CompanyName");
    }
    return 0;
}

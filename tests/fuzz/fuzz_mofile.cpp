// Any bytes as a catalogue: refused, or looked up without reading outside them.
#include "app/uMoFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMoFile mo;
    if (!mo.Load(std::string(reinterpret_cast<const char*>(data), size), nullptr))
        return 0;
    mo.Charset();
    for (const char* key : {"", "&File", "Update", "\xff", "zzzzzzzz"})
        mo.Lookup(key);
    return 0;
}

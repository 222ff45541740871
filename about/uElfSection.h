#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Finds one named section in an ELF file (32 or 64 bit, either byte order)
// and copies its bytes. Every offset and size read from the file is checked
// against the file's size before use; a malformed file is refused, never read
// out of bounds.

// Reads count bytes at offset into buffer; the reader has already checked
// that offset + count lies within the size it was given.
using TElfReadAt = std::function<bool(std::uint64_t offset, void* buffer, std::size_t count)>;

// Sections larger than this are refused rather than allocated.
inline constexpr std::uint64_t kElfSectionLimit = 1u << 20;

enum class TElfSectionResult { Found, Missing, Malformed, ReadFailed };

TElfSectionResult ReadElfSection(std::uint64_t fileSize, const TElfReadAt& readAt, std::string_view name,
                                 std::string& contents, std::string* error);

// The same over an image held in memory.
TElfSectionResult ReadElfSection(std::string_view image, std::string_view name, std::string& contents,
                                 std::string* error);

// The same over a file on disk.
TElfSectionResult ReadElfSectionOfFile(const std::string& path, std::string_view name, std::string& contents,
                                       std::string* error);

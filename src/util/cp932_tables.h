#pragma once

// Code page 932 as data (cp932_tables.cpp, written by scripts/cp932-tables from glibc's
// iconv). The Shift-JIS codec builds its look-up tables from these at its first use.

#include <cstddef>

namespace cp932 {

// U+FFFF marks a byte or byte pair that is not valid code page 932.
inline constexpr char16_t kInvalid = 0xFFFF;

// What each byte decodes to alone; a lead byte of a pair decodes to kInvalid.
extern const char16_t kSingle[256];

// What each pair decodes to: lead bytes 0x81-0xFC, trail bytes 0x40-0xFC.
inline constexpr int kFirstLead = 0x81;
inline constexpr int kLeadCount = 0xFC - kFirstLead + 1;
inline constexpr int kFirstTrail = 0x40;
inline constexpr int kTrailCount = 0xFC - kFirstTrail + 1;
extern const char16_t kPairs[kLeadCount][kTrailCount];

// A character encodes to the first byte or pair, in byte order, that decodes to it, except
// these: the sequence written instead (a byte, or a pair as lead * 256 + trail), or 0 where
// the character is refused.
struct EncodeException {
    char16_t unit;
    unsigned short code;
};
extern const EncodeException kEncodeExceptions[];
extern const std::size_t kEncodeExceptionCount;

} // namespace cp932

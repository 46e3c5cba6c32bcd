#pragma once
// Little- and big-endian integers inside a table's bytes.
#include <cstdint>

namespace enlazora::formats::dbf {

inline std::uint32_t ByteAt(const char* at, int i) { return static_cast<unsigned char>(at[i]); }

inline std::uint16_t ReadLittleEndian16(const char* at) {
  return static_cast<std::uint16_t>(ByteAt(at, 0) | ByteAt(at, 1) << 8);
}
inline std::uint32_t ReadLittleEndian32(const char* at) {
  return ByteAt(at, 0) | ByteAt(at, 1) << 8 | ByteAt(at, 2) << 16 | ByteAt(at, 3) << 24;
}
inline std::uint32_t ReadBigEndian32(const char* at) {
  return ByteAt(at, 0) << 24 | ByteAt(at, 1) << 16 | ByteAt(at, 2) << 8 | ByteAt(at, 3);
}
inline std::uint64_t ReadLittleEndian64(const char* at) {
  return ReadLittleEndian32(at) | std::uint64_t{ReadLittleEndian32(at + 4)} << 32;
}
inline std::uint64_t ReadBigEndian64(const char* at) {
  return std::uint64_t{ReadBigEndian32(at)} << 32 | ReadBigEndian32(at + 4);
}

inline void WriteLittleEndian16(char* at, std::uint16_t value) {
  at[0] = static_cast<char>(value & 0xFF);
  at[1] = static_cast<char>(value >> 8);
}
inline void WriteLittleEndian32(char* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
inline void WriteBigEndian32(char* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((value >> (8 * (3 - i))) & 0xFF);
}
inline void WriteLittleEndian64(char* at, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
inline void WriteBigEndian64(char* at, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) at[i] = static_cast<char>((value >> (8 * (7 - i))) & 0xFF);
}

}  // namespace enlazora::formats::dbf

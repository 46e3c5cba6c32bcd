#include "formats/xml/AsciiEscaping.h"

#include <cstring>

namespace enlazora::formats {
namespace {

// "&#x" + upper-case hexadecimal digits + ";".
unsigned char* writeHexReference(unsigned char* out, unsigned value) {
  static const char kDigits[] = "0123456789ABCDEF";
  char digits[8];
  int count = 0;
  do {
    digits[count++] = kDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  *out++ = '&';
  *out++ = '#';
  *out++ = 'x';
  while (count > 0) *out++ = static_cast<unsigned char>(digits[--count]);
  *out++ = ';';
  return out;
}

// The length of the UTF-8 sequence a lead byte starts, or 0 for none.
int sequenceLength(unsigned char lead) {
  if (lead < 0xC0) return 0;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  if (lead < 0xF8) return 4;
  return 0;
}

unsigned decode(const unsigned char* in, int length) {
  static const unsigned char kLeadMask[] = {0, 0, 0x1F, 0x0F, 0x07};
  unsigned value = in[0] & kLeadMask[length];
  for (int k = 1; k < length; ++k) value = (value << 6) | (in[k] & 0x3Fu);
  return value;
}

bool isXmlCharacter(unsigned value) {
  return (value >= 0x20 && value <= 0xD7FF) || value == 0x9 || value == 0xA || value == 0xD ||
         (value >= 0xE000 && value <= 0xFFFD) || (value >= 0x10000 && value <= 0x10FFFF);
}

}  // namespace

int EscapeAsAscii(unsigned char* out, int* outLength, const unsigned char* in, int* inLength) {
  unsigned char* const outStart = out;
  unsigned char* const outEnd = out + *outLength;
  const unsigned char* const inStart = in;
  const unsigned char* const inEnd = in + *inLength;
  int result = 0;
  while (in < inEnd && out < outEnd) {
    const char* entity = *in == '<' ? "&lt;" : *in == '>' ? "&gt;" : *in == '&' ? "&amp;" : nullptr;
    if (entity != nullptr) {
      const auto size = static_cast<int>(std::strlen(entity));
      if (outEnd - out < size) break;
      std::memcpy(out, entity, static_cast<std::size_t>(size));
      out += size;
      ++in;
    } else if ((*in >= 0x20 && *in < 0x80) || *in == '\n' || *in == '\t') {
      *out++ = *in++;
    } else if (*in >= 0x80) {
      if (outEnd - out < 11) break;
      const int length = sequenceLength(*in);
      if (length == 0) {
        ++in;
        result = -1;
        break;
      }
      if (inEnd - in < length) break;
      const unsigned value = decode(in, length);
      if (!isXmlCharacter(value)) {
        ++in;
        result = -1;
        break;
      }
      in += length;
      out = writeHexReference(out, value);
    } else if (*in == '\r') {
      if (outEnd - out < 6) break;
      out = writeHexReference(out, *in++);
    } else {
      ++in;
      result = -1;
      break;
    }
  }
  *outLength = static_cast<int>(out - outStart);
  *inLength = static_cast<int>(in - inStart);
  return result;
}

}  // namespace enlazora::formats

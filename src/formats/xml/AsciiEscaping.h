#pragma once
// Element text as libxml2 writes it into a document whose declaration names
// no encoding: plain ASCII, markup characters as entity references and every
// other character beyond ASCII, and the carriage return, as a hexadecimal
// character reference ("&#xF1;").

namespace enlazora::formats {

// libxml2's escaping callback: UTF-8 in, ASCII out. On return *inLength
// holds the bytes read and *outLength the bytes written; it stops early when
// the output is full or a character is cut off at the end of the input.
// Answers -1 for bytes that are no UTF-8.
int EscapeAsAscii(unsigned char* out, int* outLength, const unsigned char* in, int* inLength);

}  // namespace enlazora::formats

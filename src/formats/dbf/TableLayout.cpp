#include "formats/dbf/TableLayout.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "formats/dbf/ByteOrder.h"
#include "formats/dbf/TableMessages.h"

namespace enlazora::formats::dbf {
namespace {
constexpr std::size_t kBaseHeaderLength = 32;
constexpr std::size_t kLevel7HeaderLength = 68;
constexpr std::size_t kBaseDescriptorLength = 32;
constexpr std::size_t kLevel7DescriptorLength = 48;
constexpr std::size_t kLevel7NameLength = 32;
constexpr std::size_t kBaseNameLength = 11;
constexpr char kHeaderTerminator = 0x0D;
constexpr std::string_view kLanguageDriverName = "DBWINUS0";

std::string n(std::size_t value) { return std::to_string(value); }

bool FlavourOf(unsigned char version, Flavour& flavour) {
  switch (version) {
    case 0x02: case 0x03: case 0x83: case 0x8B:
      flavour = Flavour::DBase;
      return true;
    case 0x04: case 0x8C:
      flavour = Flavour::Level7;
      return true;
    case 0x05: case 0x30: case 0x31: case 0x32: case 0xF5:
      flavour = Flavour::FoxPro;
      return true;
    default:
      return false;
  }
}

std::string HexByte(unsigned char value) {
  static constexpr char digits[] = "0123456789ABCDEF";
  return std::string("0x") + digits[value >> 4] + digits[value & 0x0F];
}

// A name stored NUL-padded (or filling its whole slot), without trailing blanks.
std::string NameIn(std::string_view slot) {
  auto name = slot.substr(0, std::min(slot.find('\0'), slot.size()));
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return std::string(name);
}

FieldDef ReadDescriptor(std::string_view descriptor, Flavour flavour) {
  FieldDef def;
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(descriptor[at]); };
  if (flavour == Flavour::Level7) {
    def.name = NameIn(descriptor.substr(0, kLevel7NameLength));
    def.type = descriptor[32];
    def.length = byte(33);
    def.decimals = byte(34);
  } else {
    def.name = NameIn(descriptor.substr(0, kBaseNameLength));
    def.type = descriptor[11];
    def.length = byte(16);
    def.decimals = byte(17);
    // Character fields over 255 bytes keep the high byte of their length in
    // the decimals byte (FoxPro, Clipper).
    if (def.type == 'C' && def.decimals != 0) {
      def.length += def.decimals * 256;
      def.decimals = 0;
    }
  }
  return def;
}

bool IsValidFieldName(const std::string& name) {
  if (name.empty() || name.size() > kLevel7NameLength - 1) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  });
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return upper(x) == upper(y);
  });
}

// Fills in the fixed sizes of the binary and logical types and checks widths.
FieldDef CheckedNewField(FieldDef def, std::string_view table) {
  const auto fail = [&](const std::string& detail) { throw TableNotCreated(table, detail); };
  if (!IsValidFieldName(def.name))
    fail("el nombre de campo '" + def.name + "' no es válido (de 1 a 31 letras sin acento, cifras o _)");
  const auto fixed = [&](int size) {
    if (def.length != 0 && def.length != size)
      fail("el campo " + def.name + " de tipo " + def.type + " ha de medir " + std::to_string(size));
    def.length = size;
    def.decimals = 0;
  };
  switch (def.type) {
    case 'C':
      if (def.length < 1 || def.length > 254) fail("el campo " + def.name + " ha de medir de 1 a 254 caracteres");
      def.decimals = 0;
      break;
    case 'N': case 'F':
      if (def.length < 1 || def.length > 20 || def.decimals < 0 ||
          (def.decimals > 0 && def.decimals > def.length - 2))
        fail("el campo numérico " + def.name + " tiene una anchura o unos decimales no válidos");
      break;
    case 'I': fixed(4); break;
    case 'O': fixed(8); break;
    case 'L': fixed(1); break;
    case 'D': fixed(8); break;
    default:
      fail("el campo " + def.name + " tiene un tipo que no se sabe crear (" + std::string(1, def.type) + ")");
  }
  return def;
}
}  // namespace

FieldKind KindOf(Flavour flavour, char type, int length) {
  switch (type) {
    case 'C': return FieldKind::Character;
    case 'N': case 'F': return FieldKind::Numeric;
    case 'D': return FieldKind::Date;
    case 'L': return length >= 1 ? FieldKind::Logical : FieldKind::Unreadable;
    case 'I': case '+':
      if (length != 4) return FieldKind::Unreadable;
      if (flavour == Flavour::Level7) return FieldKind::Level7Long;
      return type == 'I' ? FieldKind::FoxLong : FieldKind::Unreadable;
    case 'O':
      return flavour == Flavour::Level7 && length == 8 ? FieldKind::Level7Double : FieldKind::Unreadable;
    case 'B':
      return flavour == Flavour::FoxPro && length == 8 ? FieldKind::FoxDouble : FieldKind::Unreadable;
    default: return FieldKind::Unreadable;
  }
}

TableLayout ReadLayout(std::string_view bytes, std::string_view table) {
  const auto damaged = [&](const std::string& detail) { throw TableDamaged(table, detail); };
  if (bytes.empty()) damaged("el archivo está vacío (0 bytes)");
  if (bytes.size() < kBaseHeaderLength)
    damaged("la cabecera está incompleta (el archivo solo tiene " + n(bytes.size()) + " bytes)");

  TableLayout layout;
  const auto version = static_cast<unsigned char>(bytes[0]);
  if (!FlavourOf(version, layout.flavour))
    damaged("no es una tabla dBase que se sepa leer (primer byte " + HexByte(version) + ")");
  const bool level7 = layout.flavour == Flavour::Level7;
  const std::size_t descriptorsStart = level7 ? kLevel7HeaderLength : kBaseHeaderLength;
  const std::size_t descriptorLength = level7 ? kLevel7DescriptorLength : kBaseDescriptorLength;
  if (bytes.size() < descriptorsStart)
    damaged("la cabecera está incompleta (el archivo solo tiene " + n(bytes.size()) + " bytes)");

  const std::size_t declaredCount = ReadLittleEndian32(bytes.data() + 4);
  layout.headerLength = ReadLittleEndian16(bytes.data() + 8);
  layout.recordLength = ReadLittleEndian16(bytes.data() + 10);
  if (layout.headerLength > bytes.size())
    damaged("la cabecera dice medir " + n(layout.headerLength) + " bytes y el archivo solo tiene " +
            n(bytes.size()));

  std::size_t at = descriptorsStart;
  std::size_t recordOffset = 1;  // after the deletion flag
  while (true) {
    if (at < layout.headerLength && bytes[at] == kHeaderTerminator) break;
    if (at + descriptorLength > layout.headerLength)
      damaged("la cabecera dice medir " + n(layout.headerLength) +
              " bytes, menos de lo que ocupa su lista de campos");
    FieldLayout field;
    field.def = ReadDescriptor(bytes.substr(at, descriptorLength), layout.flavour);
    field.kind = KindOf(layout.flavour, field.def.type, field.def.length);
    field.offset = recordOffset;
    recordOffset += static_cast<std::size_t>(field.def.length);
    layout.fields.push_back(std::move(field));
    at += descriptorLength;
  }
  if (layout.fields.empty()) damaged("no tiene ningún campo");
  if (recordOffset != layout.recordLength)
    damaged("la longitud de registro de la cabecera (" + n(layout.recordLength) +
            ") no coincide con la suma de sus campos (" + n(recordOffset) + ")");

  const std::size_t room = (bytes.size() - layout.headerLength) / layout.recordLength;
  if (declaredCount > room)
    damaged("la cabecera anuncia " + n(declaredCount) + " registros y el archivo solo contiene " + n(room));
  layout.recordCount = declaredCount;
  return layout;
}

TableLayout PlanLevel7Layout(const std::vector<FieldDef>& fields, std::string_view table) {
  if (fields.empty()) throw TableNotCreated(table, "no tiene ningún campo");
  TableLayout layout;
  layout.flavour = Flavour::Level7;
  layout.headerLength = kLevel7HeaderLength + kLevel7DescriptorLength * fields.size() + 1;
  std::size_t recordOffset = 1;
  for (const auto& given : fields) {
    FieldLayout field;
    field.def = CheckedNewField(given, table);
    for (const auto& earlier : layout.fields)
      if (SameNameIgnoringCase(earlier.def.name, field.def.name))
        throw TableNotCreated(table, "el campo " + field.def.name + " aparece dos veces");
    field.kind = KindOf(Flavour::Level7, field.def.type, field.def.length);
    field.offset = recordOffset;
    recordOffset += static_cast<std::size_t>(field.def.length);
    layout.fields.push_back(std::move(field));
  }
  layout.recordLength = recordOffset;
  if (layout.recordLength > 0xFFFF || layout.headerLength > 0xFFFF)
    throw TableNotCreated(table, "tiene demasiados campos o son demasiado anchos");
  return layout;
}

std::string Level7Header(const TableLayout& layout, const std::tm& date, std::size_t recordCount) {
  std::string header(layout.headerLength, '\0');
  header[0] = 0x04;
  StampHeader(header, date, recordCount);
  WriteLittleEndian16(header.data() + 8, static_cast<std::uint16_t>(layout.headerLength));
  WriteLittleEndian16(header.data() + 10, static_cast<std::uint16_t>(layout.recordLength));
  header.replace(32, kLanguageDriverName.size(), kLanguageDriverName);
  std::size_t at = kLevel7HeaderLength;
  for (const auto& field : layout.fields) {
    header.replace(at, field.def.name.size(), field.def.name);
    header[at + 32] = field.def.type;
    header[at + 33] = static_cast<char>(field.def.length);
    header[at + 34] = static_cast<char>(field.def.decimals);
    at += kLevel7DescriptorLength;
  }
  header[at] = kHeaderTerminator;
  return header;
}

void StampHeader(std::string& header, const std::tm& date, std::size_t recordCount) {
  header[1] = static_cast<char>(std::clamp(date.tm_year, 0, 255));
  header[2] = static_cast<char>(std::clamp(date.tm_mon + 1, 1, 12));
  header[3] = static_cast<char>(std::clamp(date.tm_mday, 1, 31));
  WriteLittleEndian32(header.data() + 4, static_cast<std::uint32_t>(recordCount));
}

}  // namespace enlazora::formats::dbf

// Fuzz target for mkdict's description reader and the value text forms.
//
// Input: a selector byte, then
//   selector even: a description, read by the lexer and the parser to its
//                  end or its first error;
//   selector odd:  a column shape (type code, size 1 to 64, decimal places,
//                  flags; 7 bytes) and bytes, which must print, read back
//                  and print again as the same text; and the rest read as
//                  a value's text of each kind, which, once read, must also
//                  print, read and print the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lexer.h"
#include "morvel2/dictionary/value_text.h"
#include "parser.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

class AcceptAll : public mkdict::StatementHandler {
 public:
  bool Statement(const mkdict::Statement&, mkdict::DescriptionError*) override { return true; }
  bool Row(const mkdict::RowDef&, mkdict::DescriptionError*) override { return true; }
};

void ReadDescription(const uint8_t* data, size_t size) {
  std::FILE* in = fmemopen(const_cast<uint8_t*>(data), size, "r");
  if (in == nullptr) return;  // an empty input
  mkdict::Lexer lexer(in);
  AcceptAll handler;
  mkdict::DescriptionError error;
  mkdict::Parse(lexer, handler, &error);
  std::fclose(in);
}

// Prints `bytes`, reads the text back and prints it again: the same text,
// and the same bytes.
void RoundTrip(const ColumnShape& shape, const std::vector<std::byte>& bytes) {
  const ValueText printed = FormatValueText(shape, bytes);
  std::vector<std::byte> back(shape.size);
  std::string reason;
  Require(ParseValueText(shape, printed, back, &reason));
  const ValueText again = FormatValueText(shape, back);
  Require(again.kind == printed.kind && again.text == printed.text);
}

void ValueForms(const uint8_t* data, size_t size) {
  if (size < 7) return;
  ColumnShape shape;
  shape.typeCode = data[0];
  shape.size = 1 + data[1] % 64;
  shape.decimals = data[2] % 20;
  std::memcpy(&shape.flags, data + 3, sizeof shape.flags);
  data += 7;
  size -= 7;
  std::vector<std::byte> bytes(shape.size);
  std::memcpy(bytes.data(), data, std::min<size_t>(size, shape.size));
  RoundTrip(shape, bytes);
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (ValueKind kind : {ValueKind::kString, ValueKind::kNumber, ValueKind::kBoolean, ValueKind::kHex}) {
    std::vector<std::byte> field(shape.size);
    std::string reason;
    if (ParseValueText(shape, ValueText{kind, text}, field, &reason)) RoundTrip(shape, field);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  if (data[0] % 2 == 0)
    ReadDescription(data + 1, size - 1);
  else
    ValueForms(data + 1, size - 1);
  return 0;
}

#include "tests/regexpr/support/ProgramBuilder.h"

TProgramBuilder::TProgramBuilder() { Bytes_.push_back(static_cast<char>(regexpr::ProgramSignature)); }

int TProgramBuilder::Node(uint8_t opcode) {
  const int at = Size();
  Byte(opcode).Int32(0);
  return at;
}

TProgramBuilder& TProgramBuilder::Byte(uint8_t value) {
  Bytes_.push_back(static_cast<char>(value));
  return *this;
}

TProgramBuilder& TProgramBuilder::Int32(int32_t value) {
  char raw[4];
  regexpr::WriteInt32(reinterpret_cast<uint8_t*>(raw), value);
  Bytes_.append(raw, 4);
  return *this;
}

TProgramBuilder& TProgramBuilder::Text(std::string_view text) {
  Bytes_.append(text);
  return Byte(0);
}

void TProgramBuilder::Link(int from, int to) { LinkRaw(from, to - from); }

void TProgramBuilder::LinkRaw(int from, int32_t offset) {
  regexpr::WriteInt32(reinterpret_cast<uint8_t*>(Bytes_.data() + from + 1), offset);
}

void TProgramProbe::Install(TRegExpr& regex, const std::string& program) {
  regex.SetExpression("(installed)");
  regexpr::TSearchAids aids;
  aids.FirstChars.set();
  regex.DiscardProgram();
  regex.Program_.emplace(program, regex.Modifiers_, aids);
  regex.IsCompiled_ = true;
}

void TProgramProbe::MemoFromFirstStep(TRegExpr& regex) { regex.Matcher_.SetMemoThreshold(0); }

bool TProgramProbe::MemoUsed(const TRegExpr& regex) { return regex.Matcher_.MemoUsed(); }

void TProgramProbe::WithoutChoiceDispatch(TRegExpr& regex) { regex.Matcher_.SetChoiceDispatch(false); }

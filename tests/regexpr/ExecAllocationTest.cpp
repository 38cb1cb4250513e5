// Exec allocates nothing once the program exists and the input fits the copy.
// Counts every allocation of the process, so the file is an executable of its own.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "regexpr/RegExpr.h"
#include "tests/support/Cp1251Literal.h"

namespace {
std::atomic<long> Allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++Allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
// Inlined into a new-expression, these look to GCC like free() of memory from
// operator new; here they are that operator's own pair.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

long AllocationsDuring(TRegExpr& regex, const std::vector<std::string>& lines) {
  const long before = Allocations;
  for (const std::string& line : lines) regex.Exec(line);
  return Allocations - before;
}

std::vector<std::string> SameLengthLines() {
  return {Cp("Иванов Пётр Ильич"),   Cp("Петрова Анна Ивановна"),
          Cp("ООО Петровский двор"), Cp("Сидоров Иван Иванович"),
          Cp("8452123456"),          Cp("Ивановка")};
}

TEST(ExecAllocation, NoneWhenTheInputLengthRepeats) {
  for (const std::string& expression :
       {Cp("иван"), Cp("^(иван|петр)ов"), Cp("[а-я]+ов$"), Cp("(?-i)Иван"), std::string("^\\d{3}"), Cp("(и|в)+?а"),
        Cp("((в|а){1,2}н){1,3}"), Cp("(ан)\\1*"), std::string("45$"),
        Cp("(иванов|петров|сидоров|смирнов|ивановка)\\s")}) {
    TRegExpr regex;
    regex.SetExpression(expression);
    std::vector<std::string> lines = SameLengthLines();
    for (std::string& line : lines) line.resize(24, ' ');
    regex.Exec(lines[0]);  // compiles and sizes the copy
    EXPECT_EQ(AllocationsDuring(regex, lines), 0);
  }
}

TEST(ExecAllocation, NoneForShorterInputsEither) {
  TRegExpr regex;
  regex.SetExpression(Cp("^(иван|петр)ов"));
  regex.Exec(std::string(64, 'x'));
  EXPECT_EQ(AllocationsDuring(regex, SameLengthLines()), 0);
}

// An ambiguous repetition brings in the failure memo, sized by the first line.
TEST(ExecAllocation, NoneOnceTheFailureMemoIsSized) {
  TRegExpr regex;
  regex.SetExpression("(\\d|\\d|\\d)*x");
  regex.Exec(std::string(24, '7'));
  EXPECT_EQ(AllocationsDuring(regex, {std::string(24, '5'), "8452123456", std::string(24, '9'), "1"}), 0);
}

TEST(ExecAllocation, TheCounterSeesAllocations) {
  TRegExpr regex;
  regex.SetExpression("a");
  const long before = Allocations;
  regex.Exec(std::string(1000, 'a'));  // compiles and grows the copy
  EXPECT_GT(Allocations - before, 0);
}

}  // namespace

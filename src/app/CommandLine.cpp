#include "app/CommandLine.h"

#include <string_view>

namespace {

// How a Qt option takes its value: none, the next argument, or either that or
// "=value" joined to it (Qt reads -style both ways, -qmljsdebugger only joined).
enum class TValue { None, Next, NextOrJoined, Joined };

struct TQtOption {
  std::string_view Name;
  TValue Value;
};

// The options QGuiApplication, QApplication and the X11 platform plugin take from
// the command line. An option missing here would be refused as unknown.
constexpr TQtOption kQtOptions[] = {
    {"platform", TValue::Next},
    {"platformpluginpath", TValue::Next},
    {"platformtheme", TValue::Next},
    {"plugin", TValue::Next},
    {"qwindowgeometry", TValue::Next},
    {"qwindowicon", TValue::Next},
    {"qwindowtitle", TValue::Next},
    {"session", TValue::Next},
    {"display", TValue::Next},
    {"geometry", TValue::Next},
    {"title", TValue::Next},
    {"icon", TValue::Next},
    {"name", TValue::Next},
    {"style", TValue::NextOrJoined},
    {"stylesheet", TValue::NextOrJoined},
    {"qmljsdebugger", TValue::Joined},
    {"reverse", TValue::None},
    {"widgetcount", TValue::None},
    {"nograb", TValue::None},
    {"dograb", TValue::None},
};

enum class TQtMatch { None, Alone, WithJoinedValue, NeedsNext };

// Qt reads its options with one dash or two.
TQtMatch MatchQtOption(std::string_view argument) {
  argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
  const std::string_view name = argument.substr(0, argument.find('='));
  const bool joined = name.size() < argument.size();
  for (const TQtOption& option : kQtOptions) {
    if (option.Name != name) continue;
    switch (option.Value) {
      case TValue::None: return joined ? TQtMatch::None : TQtMatch::Alone;
      case TValue::Next: return joined ? TQtMatch::None : TQtMatch::NeedsNext;
      case TValue::NextOrJoined: return joined ? TQtMatch::WithJoinedValue : TQtMatch::NeedsNext;
      case TValue::Joined: return joined ? TQtMatch::WithJoinedValue : TQtMatch::None;
    }
  }
  return TQtMatch::None;
}

constexpr char kHelp[] =
    "Использование: orlinar [ПАРАМЕТР]...\n"
    "Телефонный справочник «Орлинар»: поиск абонентов по номеру телефона, части\n"
    "имени, городу, улице, дому, корпусу и квартире.\n"
    "\n"
    "Справочник читается из файлов Cities.dbr, Streets.dbr и Phones.dbr,\n"
    "лежащих рядом с исполняемым файлом программы; программа их не изменяет.\n"
    "\n"
    "Параметры:\n"
    "      --help       показать эту справку и выйти\n"
    "      --version    показать версию и выйти\n"
    "      --           закончить список параметров\n"
    "\n"
    "Принимаются и стандартные параметры Qt, например: -platform ИМЯ, -style СТИЛЬ,\n"
    "-stylesheet ФАЙЛ, -geometry ШxВ+X+Y, -display ДИСПЛЕЙ, -reverse.\n"
    "\n"
    "Код выхода: 0 — окно закрыто, 2 — неверный параметр, 217 — не удалось\n"
    "прочитать названия городов или улиц.\n";

void PrintFault(std::FILE* err, const char* format, const std::string& option) {
  std::fprintf(err, format, option.c_str());
  std::fputs("Справка: orlinar --help\n", err);
}

}  // namespace

TCommandLine ReadCommandLine(int argc, const char* const* argv) {
  TCommandLine line;
  line.QtArgumentCount = argc;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") {
      line.QtArgumentCount = i;
      return line;
    }
    if (argument.size() < 2 || argument[0] != '-') continue;
    if (argument == "--help" || argument == "--version") {
      line.Command = argument == "--help" ? TCommand::Help : TCommand::Version;
      return line;
    }
    switch (MatchQtOption(argument)) {
      case TQtMatch::Alone:
      case TQtMatch::WithJoinedValue: break;
      case TQtMatch::NeedsNext:
        if (i + 1 == argc || std::string_view(argv[i + 1]) == "--") {
          line.Command = TCommand::MissingValue;
          line.Option = argument;
          return line;
        }
        ++i;
        break;
      case TQtMatch::None:
        line.Command = TCommand::UnknownOption;
        line.Option = argument;
        return line;
    }
  }
  return line;
}

int AnswerCommandLine(const TCommandLine& line, std::FILE* out, std::FILE* err) {
  switch (line.Command) {
    case TCommand::Help: std::fputs(kHelp, out); return 0;
    case TCommand::Version: std::fputs("orlinar " ORLINAR_VERSION "\n", out); return 0;
    case TCommand::UnknownOption:
      PrintFault(err, "orlinar: неизвестный параметр «%s»\n", line.Option);
      return kUsageErrorExitCode;
    case TCommand::MissingValue:
      PrintFault(err, "orlinar: параметру «%s» нужно значение\n", line.Option);
      return kUsageErrorExitCode;
    case TCommand::Run: break;
  }
  return 0;
}

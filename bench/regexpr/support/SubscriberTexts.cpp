#include "bench/regexpr/support/SubscriberTexts.h"

#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "data/Cp1251.h"

namespace {

// Word lists in UTF-8; converted once into Windows-1251.
constexpr std::string_view Surnames[] = {
    "Иванов",      "Петров",    "Сидоров",  "Смирнов",   "Кузнецов", "Попов",    "Васильев",  "Соколов",  "Михайлов",
    "Новиков",     "Фёдоров",   "Морозов",  "Волков",    "Алексеев", "Лебедев",  "Семёнов",   "Егоров",   "Павлов",
    "Козлов",      "Степанов",  "Николаев", "Орлов",     "Андреев",  "Макаров",  "Никитин",   "Захаров",  "Зайцев",
    "Соловьёв",    "Борисов",   "Яковлев",  "Григорьев", "Романов",  "Воробьёв", "Сергеев",   "Кузьмин",  "Фролов",
    "Александров", "Дмитриев",  "Королёв",  "Гусев",     "Киселёв",  "Ильин",    "Максимов",  "Поляков",  "Сорокин",
    "Виноградов",  "Ковалёв",   "Белов",    "Медведев",  "Антонов",  "Тарасов",  "Жуков",     "Баранов",  "Филиппов",
    "Комаров",     "Давыдов",   "Беляев",   "Герасимов", "Богданов", "Осипов",   "Сидоренко", "Шевченко", "Бондаренко",
    "Ткаченко",    "Кравченко", "Черных",   "Седых",     "Долгих",   "Мельник",  "Лысенко",   "Петрушин", "Иванцов"};
constexpr std::string_view MaleNames[] = {
    "Александр", "Сергей", "Владимир", "Андрей", "Алексей", "Дмитрий", "Николай",    "Иван",     "Михаил", "Евгений",
    "Юрий",      "Виктор", "Игорь",    "Олег",   "Павел",   "Пётр",    "Константин", "Геннадий", "Борис",  "Василий"};
constexpr std::string_view FemaleNames[] = {
    "Елена",     "Ольга",   "Татьяна",   "Наталья", "Ирина", "Светлана", "Анна",   "Мария", "Людмила", "Галина",
    "Валентина", "Надежда", "Екатерина", "Марина",  "Юлия",  "Нина",     "Любовь", "Вера",  "Алёна",   "Ксения"};
constexpr std::string_view Patronymics[] = {"Александров", "Сергеев", "Владимиров", "Андреев",  "Алексеев", "Дмитриев",
                                            "Николаев",    "Иванов",  "Михайлов",   "Евгеньев", "Юрьев",    "Викторов",
                                            "Игорев",      "Олегов",  "Павлов",     "Петров",   "Борисов",  "Васильев"};
constexpr std::string_view CompanyForms[] = {"ООО", "ЗАО", "ОАО", "ИП", "МУП", "ГУП"};
constexpr std::string_view CompanyNames[] = {"Северный двор",
                                             "Ромашка",
                                             "Стройсервис",
                                             "Волгатранс",
                                             "Петровский пассаж",
                                             "Иванушка",
                                             "Техноцентр",
                                             "Уральские самоцветы",
                                             "Азимут",
                                             "Гранит",
                                             "Меридиан",
                                             "Сибирская нива",
                                             "Контакт",
                                             "Лидер",
                                             "Восход"};
constexpr std::string_view Institutions[] = {"Школа", "Детский сад", "Поликлиника", "Библиотека", "Аптека"};

class TSequence {
 public:
  explicit TSequence(uint64_t seed) : State_(seed) {}
  uint64_t Next() {
    uint64_t z = (State_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int bound) { return static_cast<int>(Next() % static_cast<uint64_t>(bound)); }
  template <size_t N>
  std::string_view Pick(const std::string_view (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }

 private:
  uint64_t State_;
};

// "Петров" becomes "Петрова", "Черных" stays, "Шевченко" stays.
std::string FeminineSurname(std::string_view surname) {
  std::string text(surname);
  if (text.ends_with("ов") || text.ends_with("ёв") || text.ends_with("ев") || text.ends_with("ин")) text += "а";
  return text;
}

std::string PersonName(TSequence& random) {
  const bool male = random.Below(2) == 0;
  const std::string_view patronymic = random.Pick(Patronymics);
  if (male)
    return std::string(random.Pick(Surnames)) + " " + std::string(random.Pick(MaleNames)) + " " +
           std::string(patronymic) + "ич";
  return FeminineSurname(random.Pick(Surnames)) + " " + std::string(random.Pick(FemaleNames)) + " " +
         std::string(patronymic) + "на";
}

std::string OrganisationName(TSequence& random) {
  switch (random.Below(3)) {
    case 0: return std::string(random.Pick(Institutions)) + " № " + std::to_string(1 + random.Below(150));
    case 1: return "ИП " + std::string(random.Pick(Surnames));
    default: return std::string(random.Pick(CompanyForms)) + " «" + std::string(random.Pick(CompanyNames)) + "»";
  }
}

std::string Digits(TSequence& random, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) digits.push_back(static_cast<char>('0' + random.Below(10)));
  return digits;
}

std::string PhoneNumber(TSequence& random) {
  const int kind = random.Below(10);
  if (kind < 6) return std::to_string(2 + random.Below(8)) + Digits(random, 5 + random.Below(2));
  if (kind < 9) return "9" + Digits(random, 9);
  return "8" + Digits(random, 10);
}

TSubscriberTexts Build(int count) {
  TSequence random(20261208);
  TSubscriberTexts texts;
  texts.Names.reserve(count);
  texts.Numbers.reserve(count);
  for (int i = 0; i < count; ++i) {
    texts.Names.push_back(Cp1251FromUtf8Lossy(random.Below(5) == 0 ? OrganisationName(random) : PersonName(random)));
    texts.Numbers.push_back(PhoneNumber(random));
  }
  return texts;
}

}  // namespace

const TSubscriberTexts& SubscriberTexts(int count) {
  static const TSubscriberTexts texts = Build(count);
  if (static_cast<int>(texts.Names.size()) != count) throw std::logic_error("workload built with another size");
  return texts;
}

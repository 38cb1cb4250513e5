#include "bench/grid/support/GeneratedDirectory.h"

#include <random>

#include "ui/text/Text1251.h"

namespace {

std::vector<std::string> Cp1251(std::initializer_list<const char*> words) {
  std::vector<std::string> out;
  for (const char* word : words) out.push_back(ToCp1251(QString::fromUtf8(word)));
  return out;
}

}  // namespace

TGeneratedDirectory::TGeneratedDirectory(size_t rows, uint32_t seed) {
  std::mt19937 random(seed);
  const auto surnames = Cp1251({"Иванов",  "Петров",   "Сидоров", "Кузнецов", "Смирнов", "Попов",    "Васильев",
                                "Соколов", "Михайлов", "Новиков", "Фёдоров",  "Морозов", "Волков",   "Алексеев",
                                "Лебедев", "Семёнов",  "Егоров",  "Павлов",   "Козлов",  "Степанов", "Николаев",
                                "Орлов",   "Андреев",  "Макаров", "Никитин",  "Захаров", "Зайцев",   "Соловьёв"});
  const auto names = Cp1251({"Александр", "Сергей", "Дмитрий", "Андрей", "Алексей", "Максим", "Евгений", "Иван",
                             "Михаил", "Николай", "Юрий", "Владимир", "Олег", "Павел"});
  const auto patronymics = Cp1251({"Александрович", "Сергеевич", "Дмитриевич", "Андреевич", "Иванович", "Михайлович",
                                   "Николаевич", "Петрович", "Владимирович", "Юрьевич"});
  cities_ = Cp1251({"",        "Москва",    "Заречный",       "Екатеринбург", "Новосибирск", "Казань",
                    "Самара",  "Омск",      "Ростов-на-Дону", "Уфа",          "Красноярск",  "Пермь",
                    "Воронеж", "Волгоград", "Краснодар",      "Саратов",      "Тюмень",      "Тольятти",
                    "Ижевск",  "Барнаул",   "Ульяновск",      "Иркутск"});
  const auto streetNames = Cp1251({"Ленина", "Мира", "Советская", "Садовая", "Лесная", "Школьная", "Молодёжная",
                                   "Набережная", "Гагарина", "Пушкина", "Кирова", "Октябрьская", "Заводская", "Полевая",
                                   "Новая", "Зелёная", "Речная", "Центральная", "Строителей"});
  const auto streetKinds = Cp1251({"ул. ", "пр-т ", "пер. ", "б-р "});
  streets_.push_back("");
  for (const auto& kind : streetKinds) {
    for (const auto& name : streetNames) streets_.push_back(kind + name);
  }
  corpora_ = Cp1251({"", "", "", "", "1", "2", "3", "а", "б", "2/1"});
  for (size_t i = 0; i < 4000; ++i) {
    owners_.push_back(surnames[random() % surnames.size()] + " " + names[random() % names.size()] + " " +
                      patronymics[random() % patronymics.size()]);
  }
  records_.resize(rows);
  for (TRecord& record : records_) {
    record = {static_cast<uint32_t>(random() % 3 == 0 ? 9000000 + random() % 1000000 : 2000000 + random() % 6000000),
              static_cast<uint32_t>(random() % owners_.size()),
              static_cast<uint16_t>(random() % cities_.size()),
              static_cast<uint16_t>(random() % streets_.size()),
              static_cast<uint16_t>(1 + random() % 150),
              static_cast<uint16_t>(random() % corpora_.size()),
              static_cast<uint16_t>(1 + random() % 300)};
  }
}

std::string_view TGeneratedDirectory::CellText(uint32_t key, int column, std::string& scratch) const {
  if (key >= records_.size()) return {};
  const TRecord& record = records_[key];
  switch (column) {
    case 0:
      // Numbers from 9000000 on stand for ten-digit mobile numbers.
      scratch = record.Number >= 9000000 ? "9" + std::to_string(record.Number) + "00" : std::to_string(record.Number);
      return scratch;
    case 1: return owners_[record.Owner];
    case 2: return cities_[record.City];
    case 3: return streets_[record.Street];
    case 4: scratch = std::to_string(record.House); return scratch;
    case 5: return corpora_[record.Corpus];
    case 6: scratch = std::to_string(record.Flat); return scratch;
    default: return {};
  }
}

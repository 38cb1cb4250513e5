#include "DirectoryWriter.h"

#include <stdexcept>

namespace {

void AppendLittleEndian(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void RequireLength(std::string_view text, size_t limit, const char* what) {
  if (text.size() > limit) {
    throw std::runtime_error(std::string(what) + " longer than " + std::to_string(limit) + " bytes");
  }
}

std::ofstream OpenForWriting(const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) throw std::runtime_error("cannot create " + path);
  return file;
}

}  // namespace

void WriteNameList(const std::string& path, const std::vector<std::string>& names) {
  std::string bytes;
  for (size_t i = 1; i < names.size(); ++i) {
    RequireLength(names[i], 255, "name");
    bytes += static_cast<char>(names[i].size());
    bytes += names[i];
  }
  std::ofstream file = OpenForWriting(path);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) throw std::runtime_error("cannot write " + path);
}

TPhonesFileWriter::TPhonesFileWriter(const std::string& path) : path_(path), file_(OpenForWriting(path)) {}

void TPhonesFileWriter::AddOwner(std::string_view name) {
  RequireLength(name, 127, "subscriber name");
  buffer_ += static_cast<char>(name.size());
  buffer_ += name;
  FlushWhenFull();
}

void TPhonesFileWriter::AddPhone(const TDirectoryLine& line) {
  RequireLength(line.Corpus, 127, "corpus");
  buffer_ += static_cast<char>(0x80 + line.Corpus.size());
  AppendLittleEndian(buffer_, static_cast<uint64_t>(line.Number), 8);
  AppendLittleEndian(buffer_, line.City, 2);
  AppendLittleEndian(buffer_, line.Street, 2);
  AppendLittleEndian(buffer_, line.House, 2);
  AppendLittleEndian(buffer_, line.Flat, 2);
  buffer_ += line.Corpus;
  FlushWhenFull();
}

void TPhonesFileWriter::FlushWhenFull() {
  if (buffer_.size() < (1 << 20)) return;
  file_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
}

void TPhonesFileWriter::Close() {
  file_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
  file_.close();
  if (!file_) throw std::runtime_error("cannot write " + path_);
}

#include "learner/list_dat_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "learner/chapter_table.h"
#include "platform/file_in_place.h"
#include "platform/file_system.h"
#include "platform/native_path.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::uint32_t ReadLe32(const unsigned char* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void AppendLe32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Bytes from the current position to the end of the file.
std::uint64_t BytesLeft(std::FILE* file) {
  const long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return 0;
  const long end = std::ftell(file);
  std::fseek(file, here, SEEK_SET);
  return end > here ? static_cast<std::uint64_t>(end - here) : 0;
}

// Records to allocate for an announced count, given the bytes after the header.
std::size_t RecordsToKeep(std::uint32_t announced, std::uint64_t bytes_left) {
  const std::uint64_t in_file = (bytes_left + sizeof(WordRecord) - 1) / sizeof(WordRecord);
  const std::uint64_t cap = std::max<std::uint64_t>(in_file, kCourseEnd);
  return static_cast<std::size_t>(std::min<std::uint64_t>(announced, cap));
}

}  // namespace

std::string ListJournalPath(std::string_view list_path) {
  return std::string(list_path) + ".new";
}

int ReadListDat(std::string_view list_path, std::vector<WordRecord>* records) {
  records->clear();
  File file(std::fopen(vanto::platform::NativePath(list_path).c_str(), "rb"));
  if (!file) return errno != 0 ? errno : EIO;
  unsigned char header[kListDatHeaderSize];
  if (std::fread(header, 1, sizeof header, file.get()) != sizeof header) return 0;
  const std::uint32_t count = ReadLe32(header + 4);
  if (ReadLe32(header) != kListDatMagic || count == 0) return 0;

  records->assign(RecordsToKeep(count, BytesLeft(file.get())), WordRecord{});
  auto* bytes = reinterpret_cast<unsigned char*>(records->data());
  const std::size_t wanted = records->size() * sizeof(WordRecord);
  const std::size_t got = std::fread(bytes, 1, wanted, file.get());
  // Only complete records count; a partly read one is zeroed with the rest.
  const std::size_t complete = got / sizeof(WordRecord) * sizeof(WordRecord);
  std::memset(bytes + complete, 0, wanted - complete);
  return 0;
}

std::string EncodeListDat(const std::vector<WordRecord>& records) {
  std::string out;
  out.reserve(kListDatHeaderSize + records.size() * sizeof(WordRecord));
  AppendLe32(out, kListDatMagic);
  AppendLe32(out, static_cast<std::uint32_t>(records.size()));
  out.append(reinterpret_cast<const char*>(records.data()), records.size() * sizeof(WordRecord));
  return out;
}

int WriteListDat(std::string_view list_path, const std::vector<WordRecord>& records) {
  using vanto::platform::OverwriteFileInPlace;
  const std::string bytes = EncodeListDat(records);
  const std::string journal = ListJournalPath(list_path);
  // Without a journal (folder not writable, disk full) the save still goes
  // ahead in place; it is only unprotected against a crash.
  OverwriteFileInPlace(journal, bytes);
  const int error = OverwriteFileInPlace(list_path, bytes);
  if (error == 0) vanto::platform::RemoveFile(journal);
  return error;
}

bool RecoverListJournal(std::string_view list_path) {
  const std::string journal = ListJournalPath(list_path);
  if (!vanto::platform::PathExists(journal)) return false;
  const auto bytes = vanto::platform::ReadWholeFile(journal);
  bool copied = false;
  if (bytes && bytes->size() >= kListDatHeaderSize) {
    const auto* header = reinterpret_cast<const unsigned char*>(bytes->data());
    const std::uint64_t count = ReadLe32(header + 4);
    const bool complete = ReadLe32(header) == kListDatMagic &&
                          bytes->size() == kListDatHeaderSize + count * sizeof(WordRecord);
    copied = complete && vanto::platform::OverwriteFileInPlace(list_path, *bytes) == 0;
    // A journal that could not be copied stays for the next attempt.
    if (complete && !copied) return false;
  }
  vanto::platform::RemoveFile(journal);
  return copied;
}

#include "compiler/source_lines.h"

#include <algorithm>
#include <cassert>

namespace scenario {
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool Contains(std::string_view item, std::string_view word, bool exact_case) {
  if (word.empty()) return true;
  return exact_case ? item.find(word) != std::string_view::npos
                    : ContainsAnyCase(item, word);
}

}  // namespace

bool ContainsAnyCase(std::string_view item, std::string_view word) {
  return std::search(item.begin(), item.end(), word.begin(), word.end(),
                     [](char a, char b) { return Lower(a) == Lower(b); }) !=
         item.end();
}

std::span<const SourceLine> LinesOf(Phase phase) {
  // The table holds each phase's lines together.
  const auto first =
      std::find_if(std::begin(kSourceLines), std::end(kSourceLines),
                   [&](const SourceLine& line) { return line.phase == phase; });
  const auto last =
      std::find_if(first, std::end(kSourceLines),
                   [&](const SourceLine& line) { return line.phase != phase; });
  return {first, last};
}

const SourceLine& LineOf(LineKind kind) {
  return kSourceLines[static_cast<size_t>(kind)];
}

FieldRef RefOf(const SourceField& field) {
  for (size_t l = 0; l < std::size(kSourceLines); ++l) {
    const std::span<const SourceField> fields = kSourceLines[l].fields;
    for (size_t f = 0; f < fields.size(); ++f) {
      if (&fields[f] == &field) {
        return {static_cast<int>(l), static_cast<int>(f)};
      }
    }
  }
  return {};
}

const SourceField* FieldAt(FieldRef ref) {
  if (ref.line < 0 || static_cast<size_t>(ref.line) >= std::size(kSourceLines))
    return nullptr;
  const std::span<const SourceField> fields = kSourceLines[ref.line].fields;
  if (ref.field < 0 || static_cast<size_t>(ref.field) >= fields.size())
    return nullptr;
  return &fields[static_cast<size_t>(ref.field)];
}

std::string LineText(LineKind kind, std::initializer_list<int64_t> numbers,
                     std::optional<std::string_view> text,
                     std::string_view key) {
  const SourceLine& line = LineOf(kind);
  // A line written with fields its kind does not have would not read back.
  assert(numbers.size() + (text ? 1 : 0) == line.fields.size());
  std::string written(key.empty() ? line.spellings.front() : key);
  for (int64_t n : numbers) written += ", " + std::to_string(n);
  if (text) {
    written += ", ";
    if (text->find_first_of(",\"") == std::string_view::npos) {
      written += *text;
    } else {
      written += '"';
      for (char c : *text)
        written += c == '"' ? std::string("\"\"") : std::string(1, c);
      written += '"';
    }
  }
  return written;
}

bool Names(const SourceLine& line, std::string_view key) {
  return std::all_of(line.words.begin(), line.words.end(),
                     [&](std::string_view word) {
                       return Contains(key, word, line.exact_case);
                     });
}

}  // namespace scenario

#include "platform/mci/CommandParser.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

namespace mci {
namespace {

enum class ArgKind {
  Flag,   // the keyword alone
  Value,  // the keyword and the word after it
  Item,   // a status item: exactly one of the verb's items must be given
};

struct KeywordEntry {
  std::string_view name;
  Keyword keyword;
  ArgKind kind;
};

struct VerbEntry {
  std::string_view name;
  Verb verb;
  std::span<const KeywordEntry> keywords;
};

constexpr KeywordEntry kOpenKeywords[] = {
    {"type", Keyword::Type, ArgKind::Value},
    {"alias", Keyword::Alias, ArgKind::Value},
    {"notify", Keyword::Notify, ArgKind::Flag},
};
constexpr KeywordEntry kNotifyOnly[] = {
    {"notify", Keyword::Notify, ArgKind::Flag},
};
constexpr KeywordEntry kStatusKeywords[] = {
    {"mode", Keyword::Mode, ArgKind::Item},
    {"length", Keyword::Length, ArgKind::Item},
    {"position", Keyword::Position, ArgKind::Item},
};

constexpr VerbEntry kVerbTable[] = {
    {"open", Verb::Open, kOpenKeywords},
    {"play", Verb::Play, kNotifyOnly},
    {"stop", Verb::Stop, kNotifyOnly},
    {"close", Verb::Close, kNotifyOnly},
    {"status", Verb::Status, kStatusKeywords},
};

struct Token {
  std::string text;
  bool quoted = false;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Splits the command into words. A quote may only open a word and must close
// it, so a name can never carry a quotation mark of its own.
Error Tokenize(std::string_view text, std::vector<Token>& tokens) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsBlank(text[i])) {
      ++i;
      continue;
    }
    Token token;
    if (text[i] == '"') {
      const std::size_t close = text.find('"', i + 1);
      if (close == std::string_view::npos) return Error::BadQuoting;
      if (close + 1 < text.size() && !IsBlank(text[close + 1])) return Error::BadQuoting;
      token.text.assign(text.substr(i + 1, close - i - 1));
      token.quoted = true;
      i = close + 1;
    } else {
      const std::size_t start = i;
      while (i < text.size() && !IsBlank(text[i])) {
        if (text[i] == '"') return Error::BadQuoting;
        ++i;
      }
      token.text.assign(text.substr(start, i - start));
    }
    tokens.push_back(std::move(token));
  }
  return Error::None;
}

const VerbEntry* FindVerb(std::string_view word) {
  for (const VerbEntry& entry : kVerbTable) {
    if (EqualsIgnoringCase(entry.name, word)) return &entry;
  }
  return nullptr;
}

const KeywordEntry* FindKeyword(const VerbEntry& verb, const Token& token) {
  if (token.quoted) return nullptr;
  for (const KeywordEntry& entry : verb.keywords) {
    if (EqualsIgnoringCase(entry.name, token.text)) return &entry;
  }
  return nullptr;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

Error CommandParser::Parse(const char* text, Command& command) {
  command = Command{};
  if (text == nullptr) return Error::EmptyCommand;
  // strnlen stops one past the limit, so an overlong string is never scanned whole.
  const std::size_t length = strnlen(text, kMaxCommandLength + 1);
  if (length > kMaxCommandLength) return Error::CommandTooLong;

  std::vector<Token> tokens;
  if (const Error error = Tokenize(std::string_view(text, length), tokens); error != Error::None) {
    return error;
  }
  if (tokens.empty()) return Error::EmptyCommand;

  const VerbEntry* verb = tokens[0].quoted ? nullptr : FindVerb(tokens[0].text);
  if (verb == nullptr) return Error::UnknownCommand;
  command.verb = verb->verb;
  if (tokens.size() < 2) return Error::MissingArgument;
  command.device = tokens[1].text;

  int items = 0;
  for (std::size_t i = 2; i < tokens.size(); ++i) {
    const KeywordEntry* keyword = FindKeyword(*verb, tokens[i]);
    if (keyword == nullptr) return Error::UnknownKeyword;
    auto& slot = command.keywords[static_cast<std::size_t>(keyword->keyword)];
    if (slot.has_value()) return Error::ConflictingKeywords;
    switch (keyword->kind) {
      case ArgKind::Flag:
        slot.emplace();
        break;
      case ArgKind::Item:
        slot.emplace();
        ++items;
        break;
      case ArgKind::Value:
        if (i + 1 >= tokens.size()) return Error::MissingArgument;
        slot = tokens[++i].text;
        break;
    }
  }

  const bool takesItem = std::any_of(verb->keywords.begin(), verb->keywords.end(),
                                     [](const KeywordEntry& k) { return k.kind == ArgKind::Item; });
  if (takesItem && items == 0) return Error::MissingArgument;
  if (items > 1) return Error::ConflictingKeywords;
  return Error::None;
}

}  // namespace mci

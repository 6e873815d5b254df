// A text shown to the user, made of the program's own words (cp1252) and of
// names that came from the system or the user (a path, a typed folder, a drive
// label), which are in the system's ANSI code page. The parts stay apart until
// the text is shown, where each is converted from its own code page: joined
// into one byte string, a text would be half in one code page and half in the
// other, and no single conversion could show it right.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class TextSource : uint8_t {
  Program, // the program's own text, cp1252
  System,  // a name from the system or the user, the system's ANSI code page
};

struct TextPart {
  TextSource Source = TextSource::Program;
  std::string Bytes;
  bool operator==(const TextPart&) const = default;
};

class MessageText {
public:
  MessageText() = default;
  // The program's own text, whole.
  MessageText(const char* program) { Program(program); }
  MessageText(const std::string& program) { Program(program); }

  // Appends the program's words, or a name from the system.
  MessageText& Program(const std::string& text) { return Append(TextSource::Program, text); }
  MessageText& System(const std::string& name) { return Append(TextSource::System, name); }

  const std::vector<TextPart>& Parts() const { return parts_; }
  bool Empty() const { return parts_.empty(); }
  // Every part's bytes one after the other, each in its own code page: for
  // logs and for comparing with a whole text, never for showing.
  std::string Bytes() const {
    std::string joined;
    for (const TextPart& part : parts_)
      joined += part.Bytes;
    return joined;
  }

  bool operator==(const MessageText&) const = default;
  bool operator==(const std::string& bytes) const { return Bytes() == bytes; }
  bool operator==(const char* bytes) const { return Bytes() == bytes; }

private:
  MessageText& Append(TextSource source, const std::string& text) {
    if (text.empty())
      return *this;
    if (!parts_.empty() && parts_.back().Source == source)
      parts_.back().Bytes += text;
    else
      parts_.push_back({source, text});
    return *this;
  }

  std::vector<TextPart> parts_;
};

} // namespace platform

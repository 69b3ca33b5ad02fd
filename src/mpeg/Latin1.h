#pragma once
// Text conversion between the user interface and ID3 version 1 tags. The interface works
// in Unicode (UTF-8 std::string or QString); the tag holds ISO-8859-1, one byte a
// character. Characters Latin-1 cannot hold become their closest Latin-1 letter where one
// exists ("Ł" -> "L", "ő" -> "o", "—" -> "-"), else '?', so every length limit of the tag is a
// count of tag bytes.
#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

// Unicode text handed in by the user interface: UTF-8 bytes (std::string, string literal,
// std::string_view) or a QString. Lets one setter take either without ambiguity.
class UnicodeText {
public:
    UnicodeText(const char* utf8) : text_(QString::fromUtf8(utf8)) {}
    UnicodeText(std::string_view utf8)
        : text_(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))) {}
    UnicodeText(const std::string& utf8) : UnicodeText(std::string_view(utf8)) {}
    UnicodeText(const QString& text) : text_(text) {}

    const QString& Text() const { return text_; }

private:
    QString text_;  // invalid UTF-8 was already replaced by U+FFFD here
};

// The replacement for a character that ISO-8859-1 cannot hold.
constexpr char kLatin1Replacement = '?';

// The Latin-1 bytes of the text, cut to at most maxBytes. Decomposed accents are composed
// first (NFC), so "e" + combining acute becomes one byte 0xE9. A character above U+00FF
// becomes its base letter when it is a Latin-1 letter with marks added (or a compatibility
// form of one), or the letter of a short table of look-alikes (stroke letters, dashes,
// quotes); any other, invalid UTF-8 and U+0000 (which would end the field early) become '?'.
std::string ToLatin1(const UnicodeText& text, std::size_t maxBytes = std::string::npos);

// UTF-8 text of Latin-1 bytes (every byte is one character).
std::string Latin1ToUtf8(std::string_view latin1);
